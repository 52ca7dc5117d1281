#include "PopupWindow.h"

#include "DialogUnits.h"
#include "RoundedMask.h"

#include <QLabel>

PopupWindow::PopupWindow(const Look& look, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint), cornerPx_(look.cornerPx)
{
    setWindowModality(Qt::ApplicationModal);
    QFont popupFont = font();
    popupFont.setPointSize(10);
    setFont(popupFont);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, Qt::black);
    colors.setColor(QPalette::WindowText, Qt::white);
    setPalette(colors);
    setAutoFillBackground(true);
    setWindowOpacity(look.opacity / 255.0);

    const DialogUnits du(popupFont);
    setFixedSize(du.Size(look.sizeDu.width(), look.sizeDu.height()));
    label_ = new QLabel(this);
    label_->setAlignment(Qt::AlignCenter);
    label_->setAttribute(Qt::WA_TranslucentBackground);
    label_->setGeometry(du.Rect(look.labelDu.x(), look.labelDu.y(), look.labelDu.width(),
                                look.labelDu.height()));
}

QString PopupWindow::LabelText() const
{
    return label_->text();
}

void PopupWindow::SetLabelText(const QString& text)
{
    label_->setText(text);
}

void PopupWindow::CentreOn(const QRect& area)
{
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void PopupWindow::resizeEvent(QResizeEvent* event)
{
    ApplyRoundedMask(*this, QRectF(rect()), cornerPx_ / 2.0);
    QDialog::resizeEvent(event);
}
