#include "Screenshots.h"

#include "CAboutBox.h"
#include "CMainDlg.h"
#include "UserTexts.h"
#include "WaitText.h"

#include <QDir>
#include <QPixmap>
#include <QTextStream>

#include <cstdio>

namespace {
bool Save(QWidget& widget, const QDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    if (widget.grab().save(path, "PNG")) {
        QTextStream(stdout) << path << "\n";
        return true;
    }
    QTextStream(stderr) << "cannot write " << path << "\n";
    return false;
}
} // namespace

int WriteScreenshots(CMainDlg& window, const QString& dir)
{
    QDir target(dir);
    if (!target.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "cannot create " << dir << "\n";
        return 1;
    }
    window.show();
    bool ok = true;
    const std::array<std::pair<PageId, const char*>, 4> pages{{{PageId::General, "page-general.png"},
                                                              {PageId::Edid, "page-edid.png"},
                                                              {PageId::Matrix, "page-matrix.png"},
                                                              {PageId::Upgrade, "page-upgrade.png"}}};
    for (const auto& [page, file] : pages) {
        window.SelectTab(page);
        ok = Save(window, target, QString::fromLatin1(file)) && ok;
    }
    window.SelectTab(PageId::General);

    ShellPopups& popups = window.Popups();
    popups.OpenMessage(UserTexts::kConnectToMatrixFailed);
    ok = Save(popups.Message(), target, QStringLiteral("popup-message.png")) && ok;
    popups.CloseMessage();
    popups.OpenWait(WaitText(WaitFamily::PleaseWait, kWaitSteps));
    ok = Save(popups.Wait(), target, QStringLiteral("popup-wait.png")) && ok;
    popups.CloseWait();
    popups.Config().Open(popups.State().mainClientRect);
    ok = Save(popups.Config(), target, QStringLiteral("popup-configuring.png")) && ok;
    popups.Config().Close();
    window.ShowAboutBox();
    ok = Save(window.AboutBox(), target, QStringLiteral("about.png")) && ok;
    window.AboutBox().close();
    return ok ? 0 : 1;
}
