#pragma once

#include "LinkPage.h"
#include "RoutingState.h"

// Third page: routing inputs to outputs.
class CMatrixPage : public CLinkPage {
    Q_OBJECT
public:
    static constexpr int kMessageTimerMatrix = 59;

    explicit CMatrixPage(PageContext context, QWidget* parent = nullptr);

    void ActivatePage() override;

    RoutingState routing;
    // TCP data is interpreted only while set; the main window clears it on
    // every tab change.
    bool matrixRxEnabled = false;

protected:
    int MessageTimerId() const override { return kMessageTimerMatrix; }
    bool AcceptsTcpBytes() const override { return matrixRxEnabled; }
};
