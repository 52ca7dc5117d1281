#pragma once

#include "LinkPage.h"

// First page: connection control, device status and device settings.
class CGeneralPage : public CLinkPage {
    Q_OBJECT
public:
    explicit CGeneralPage(PageContext context, QWidget* parent = nullptr);

    void ActivatePage() override;

    // The serial link failed: the General page returns to its disconnected state.
    void OnLinkLost();

    // Status replies over TCP are ignored while set; set on every TCP connect
    // and whenever the main window shows this page.
    bool statusRepliesBlocked = true;
    // The next Status press over the serial link opens the port again.
    bool reopenComOnStatus = false;
};
