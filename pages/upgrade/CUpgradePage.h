#pragma once

#include "LinkPage.h"
#include "UpgradeState.h"

// Fourth page: device information and the firmware upgrade.
class CUpgradePage : public CLinkPage {
    Q_OBJECT
public:
    explicit CUpgradePage(PageContext context, QWidget* parent = nullptr);

    void ActivatePage() override;

    UpgradeState upgrade;

protected:
    bool AcceptsTcpBytes() const override { return State().IsTcp(); }
};
