#include "CMessagePopup.h"

CMessagePopup::CMessagePopup(QWidget* parent)
    : PopupWindow({QSize(133, 50), QRect(1, 17, 130, 15), 5, 190}, parent)
{
}

void CMessagePopup::Open(const QString& text, const QRect& mainClientRect)
{
    if (isVisible())
        return;
    SetLabelText(text);
    CentreOn(mainClientRect);
    show();
}
