#pragma once

#include "LinkPage.h"

// Second page: the EDID each input presents.
class CEdidPage : public CLinkPage {
    Q_OBJECT
public:
    explicit CEdidPage(PageContext context, QWidget* parent = nullptr);

    void ActivatePage() override;

    // While set and the link is TCP, received frames are not interpreted.
    bool replyMask = true;
};
