#pragma once

// The Matrix page's routing transaction state.
struct RoutingState {
    // A switch or a routing refresh is outstanding; tab presses are refused.
    bool busy = false;
};
