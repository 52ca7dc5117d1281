#include "CAboutBox.h"

#include "KeySwallower.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("About Matrix Controller"));
    setWindowModality(Qt::ApplicationModal);
    KeySwallower::KeepDefaultKeys(this);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        tr("<b>Matrix Controller</b><br>Version %1<br>Controller for 4\u00d74 HDMI matrix switchers")
            .arg(QApplication::applicationVersion()),
        this);
    text->setObjectName(QStringLiteral("aboutText"));
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
