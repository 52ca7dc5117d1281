#pragma once

// The FW Upgrade page's flags that the main window reads or resets.
struct UpgradeState {
    // An upgrade is running; tab presses are refused.
    bool upgrading = false;
    // Set by the Upgrade button; replies are read as upgrade replies.
    bool upgradeMode = false;
    // The device-information query of the activation went out.
    bool refreshSent = false;
    // The main window changed page since the Upgrade button was pressed.
    bool pageChanged = true;
};
