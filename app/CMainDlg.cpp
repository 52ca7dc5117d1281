#include "CMainDlg.h"

#include "CAboutBox.h"
#include "CEdidPage.h"
#include "CGeneralPage.h"
#include "CMatrixPage.h"
#include "CUpgradePage.h"
#include "DialogUnits.h"
#include "PaintedIcons.h"
#include "RoundedMask.h"
#include "SkinButton.h"
#include "SkinColors.h"
#include "TabLabel.h"
#include "UserTexts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace {

constexpr int kTemplateWidthDu = 580;
constexpr int kTemplateHeightDu = 275;
constexpr int kTitleHeight = 24;
constexpr QSize kSkinButtonSize{30, kTitleHeight};
constexpr int kTabTop = kTitleHeight + 2;
constexpr QSize kTabSize{82, 20};
// The tab labels sit slightly apart; the gaps between them drag the window.
constexpr std::array<int, 4> kTabShift{1, 2, 7, 8};
constexpr int kPageTop = kTabTop + kTabSize.height() + 1;

std::size_t IndexOf(PageId page)
{
    return static_cast<std::size_t>(page) - 1;
}

constexpr std::array<PageId, 4> kTabOrder{PageId::General, PageId::Edid, PageId::Matrix,
                                          PageId::Upgrade};

int ActivationTimerOf(PageId page)
{
    switch (page) {
    case PageId::General:
        return CMainDlg::kActivateGeneralTimer;
    case PageId::Edid:
        return CMainDlg::kActivateEdidTimer;
    case PageId::Upgrade:
        return CMainDlg::kActivateUpgradeTimer;
    case PageId::Matrix:
        return CMainDlg::kActivateMatrixTimer;
    }
    return 0;
}

QFont TitleFont()
{
    const QStringList families = QFontDatabase::families();
    QFont font = families.contains(QStringLiteral("SimSun")) ? QFont(QStringLiteral("SimSun"))
                                                             : QApplication::font();
    font.setPixelSize(15);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

CMainDlg::CMainDlg(Link& link, PopupState& popupState, TimerHostFactory& timers,
                   const ProgramSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), link_(link),
      popups_(std::make_unique<ShellPopups>(popupState, timers, this)),
      timers_(timers.CreateTimerHost())
{
    qApp->installEventFilter(&keySwallower_);
    timers_->SetCallback([this](int id) { OnTimer(id); });
    setWindowTitle(QStringLiteral("Varnholt"));
    setWindowIcon(PaintedIcons::Application());
    QPalette colors = palette();
    colors.setColor(QPalette::Window, SkinColors::kSelectedTab);
    setPalette(colors);
    setAutoFillBackground(true);

    BuildChrome();
    BuildPages(PageContext{link_, *popups_, timers, settings});
    about_ = new CAboutBox(this);
    if (QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());

    // The 1-pixel grey border over everything, letting the mouse through.
    auto* border = new QFrame(this);
    border->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette borderColors = border->palette();
    borderColors.setColor(QPalette::WindowText, QColor(128, 128, 128));
    border->setPalette(borderColors);
    border->setAttribute(Qt::WA_TransparentForMouseEvents);
    border->setGeometry(rect());
    border->raise();

    ApplyRoundedMask(*this, QRectF(0, 0, width() + 1, height() + 1), 1.5);
}

CMainDlg::~CMainDlg()
{
    qApp->removeEventFilter(&keySwallower_);
}

void CMainDlg::BuildChrome()
{
    const DialogUnits du(font());
    const int cutWidth = du.X(kTemplateWidthDu) * 600 / 1160;
    setFixedSize(cutWidth + 2 * kSkinButtonSize.width(), du.Y(kTemplateHeightDu));

    logo_ = new QLabel(this);
    logo_->setPixmap(PaintedIcons::Logo().pixmap(kTitleHeight - 4, kTitleHeight - 4));
    logo_->setAlignment(Qt::AlignCenter);
    logo_->setAutoFillBackground(true);
    QPalette stripColors = logo_->palette();
    stripColors.setColor(QPalette::Window, SkinColors::kStrip);
    logo_->setPalette(stripColors);
    logo_->setGeometry(1, 1, kTitleHeight, kTitleHeight);

    title_ = new QLabel(QStringLiteral("Varnholt"), this);
    title_->setFont(TitleFont());
    QPalette titleColors = stripColors;
    titleColors.setColor(QPalette::WindowText, SkinColors::kTitleText);
    title_->setPalette(titleColors);
    title_->setAutoFillBackground(true);
    title_->setIndent(6);
    title_->setGeometry(1 + kTitleHeight, 1, cutWidth - 1 - kTitleHeight - 1, kTitleHeight);
    title_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(title_, &QLabel::customContextMenuRequested, this, &CMainDlg::ShowTitleMenu);

    minimizeButton_ =
        new SkinButton(PaintedIcons::Minimize(false), PaintedIcons::Minimize(true), this);
    minimizeButton_->setToolTip(QStringLiteral("Minimize"));
    minimizeButton_->setGeometry(QRect(QPoint(cutWidth - 1, 1), kSkinButtonSize));
    connect(minimizeButton_, &SkinButton::clicked, this, &QWidget::showMinimized);

    closeButton_ = new SkinButton(PaintedIcons::Close(false), PaintedIcons::Close(true), this);
    closeButton_->setToolTip(QStringLiteral("Close"));
    closeButton_->setGeometry(QRect(QPoint(cutWidth - 1 + kSkinButtonSize.width(), 1),
                                    kSkinButtonSize));
    closeButton_->SetColors(SkinColors::kStrip, QColor(232, 17, 35), QColor(170, 10, 25));
    connect(closeButton_, &SkinButton::clicked, this, &QWidget::close);

    const std::array<QString, 4> names{QStringLiteral("General"), QStringLiteral("EDID"),
                                       QStringLiteral("Matrix"), QStringLiteral("FW Upgrade")};
    for (std::size_t i = 0; i < kTabOrder.size(); ++i) {
        const PageId page = kTabOrder[i];
        auto* tab = new TabLabel(names[i], i < 3, this);
        tab->setGeometry(QRect(QPoint(static_cast<int>(i) * kTabSize.width() + kTabShift[i], kTabTop),
                               kTabSize));
        connect(tab, &TabLabel::pressed, this, [this, page] { SelectTab(page); });
        tabs_[IndexOf(page)] = tab;

        auto* button = new QPushButton(this);
        button->hide();
        connect(button, &QPushButton::clicked, this, [this, page] { ShowPage(page); });
        tabButtons_[IndexOf(page)] = button;
    }
    tabs_[IndexOf(PageId::General)]->SetSelected(true);

    const int stripLeft = tabs_[IndexOf(PageId::Upgrade)]->x() + 100;
    tabStrip_ = new QLabel(this);
    tabStrip_->setAutoFillBackground(true);
    tabStrip_->setPalette(stripColors);
    tabStrip_->setGeometry(stripLeft, kTabTop, width() - 1 - stripLeft, kTabSize.height());
}

void CMainDlg::BuildPages(PageContext context)
{
    general_ = new CGeneralPage(context, this);
    edid_ = new CEdidPage(context, this);
    matrix_ = new CMatrixPage(context, this);
    upgrade_ = new CUpgradePage(context, this);
    pages_ = {general_, edid_, matrix_, upgrade_};
    const QRect area(1, kPageTop, width() - 2, height() - kPageTop - 1);
    for (CLinkPage* page : pages_) {
        page->setGeometry(area);
        page->setVisible(page == general_);
        connect(page, &CLinkPage::tabLock, this, &CMainDlg::OnTabLock, Qt::QueuedConnection);
    }
    link_.SetReceiver(general_);
    // Posted, as a failure report from the link arrives in the middle of
    // whatever the link was doing.
    connect(&link_, &Link::serialLost, this, [this] { PostShellRequest(3); });
}

CLinkPage& CMainDlg::Page(PageId page) const
{
    return *pages_[IndexOf(page)];
}

TabLabel& CMainDlg::Tab(PageId page) const
{
    return *tabs_[IndexOf(page)];
}

QPushButton& CMainDlg::TabButton(PageId page) const
{
    return *tabButtons_[IndexOf(page)];
}

void CMainDlg::SelectTab(PageId page)
{
    if (matrix_->routing.busy || upgrade_->upgrade.upgrading)
        return;
    selected_ = page;
    for (PageId each : kTabOrder)
        Tab(each).SetSelected(each == page);
    ShowPage(page);
}

void CMainDlg::ShowPage(PageId page)
{
    LinkState& state = link_.State();
    state.currentPage = page;
    ResetPageFlags(page);

    // An activation still pending for the page left behind would query the
    // matrix from a hidden page and take the shown page's replies.
    for (PageId each : kTabOrder)
        timers_->Stop(ActivationTimerOf(each));
    CLinkPage& shown = Page(page);
    for (CLinkPage* each : pages_)
        each->setVisible(each == &shown);

    if (state.IsTcp()) {
        if (!state.tcpLinkOpen) {
            timers_->Start(kMessageTimer, kMessageMs);
            popups_->OpenMessage(UserTexts::kConnectToMatrixFailed);
            return;
        }
        shown.RebindSocket();
    } else {
        link_.SetReceiver(&shown);
    }
    timers_->Start(ActivationTimerOf(page), kActivationMs);
}

void CMainDlg::ResetPageFlags(PageId page)
{
    switch (page) {
    case PageId::General:
        general_->statusRepliesBlocked = true;
        general_->reopenComOnStatus = true;
        break;
    case PageId::Edid:
        edid_->replyMask = true;
        break;
    case PageId::Upgrade:
        upgrade_->upgrade.refreshSent = false;
        upgrade_->upgrade.upgradeMode = false;
        break;
    case PageId::Matrix:
        break;
    }
    matrix_->matrixRxEnabled = false;
    upgrade_->upgrade.pageChanged = true;
}

void CMainDlg::OnTabLock(int lock)
{
    if (lock != 0 && lock != 1)
        return;
    for (QPushButton* button : tabButtons_)
        button->setEnabled(lock == 0);
}

void CMainDlg::OnShellRequest(int request)
{
    if (request == 1) {
        popups_->Config().Open(popups_->State().mainClientRect);
    } else if (request == 3) {
        general_->OnLinkLost();
    }
}

void CMainDlg::OnNetConfigResult(int result)
{
    CConfigProgressDlg& config = popups_->Config();
    // Outcomes arriving after the dialog closed have nothing left to show.
    if (!config.isVisible())
        return;
    if (result == 1) {
        popups_->State().configOk = true;
        config.SetFinalText(UserTexts::kConfigurationCompleted);
        timers_->Start(kSearchAfterConfigTimer, kSearchAfterConfigMs);
    } else if (result == 2) {
        timers_->Stop(kSearchGiveUpTimer);
        config.Close();
    }
}

void CMainDlg::PostTabLock(int lock)
{
    QMetaObject::invokeMethod(this, [this, lock] { OnTabLock(lock); }, Qt::QueuedConnection);
}

void CMainDlg::PostShellRequest(int request)
{
    QMetaObject::invokeMethod(this, [this, request] { OnShellRequest(request); },
                              Qt::QueuedConnection);
}

void CMainDlg::PostNetConfigResult(int result)
{
    QMetaObject::invokeMethod(this, [this, result] { OnNetConfigResult(result); },
                              Qt::QueuedConnection);
}

void CMainDlg::OnTimer(int id)
{
    CConfigProgressDlg& config = popups_->Config();
    switch (id) {
    case kActivateGeneralTimer:
    case kActivateEdidTimer:
    case kActivateUpgradeTimer:
    case kActivateMatrixTimer:
        for (PageId page : kTabOrder) {
            if (ActivationTimerOf(page) == id)
                Page(page).ActivatePage();
        }
        break;
    case kSearchAfterConfigTimer:
        config.SetFinalText(UserTexts::kSearchingMatrixIp);
        timers_->Start(kSearchStartTimer, kSearchStartMs);
        break;
    case kSearchStartTimer:
        emit searchMatrixRequested();
        timers_->Start(kSearchGiveUpTimer, kSearchGiveUpMs);
        break;
    case kSearchGiveUpTimer:
        config.SetFinalText(UserTexts::kSearchMatrixIpFailed);
        timers_->Start(kConfigCloseTimer, kConfigCloseMs);
        break;
    case kConfigCloseTimer:
        config.Close();
        break;
    case kMessageTimer:
        popups_->CloseMessage();
        break;
    default:
        break;
    }
}

void CMainDlg::ShowAboutBox()
{
    about_->open();
}

void CMainDlg::ShowTitleMenu(const QPoint& at)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(tr("About Matrix Controller..."), this, &CMainDlg::ShowAboutBox);
    menu->popup(title_->mapToGlobal(at));
}

void CMainDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QWidget::mousePressEvent(event);
}

void CMainDlg::moveEvent(QMoveEvent* event)
{
    StoreClientRect();
    QWidget::moveEvent(event);
}

void CMainDlg::resizeEvent(QResizeEvent* event)
{
    StoreClientRect();
    QWidget::resizeEvent(event);
}

void CMainDlg::StoreClientRect()
{
    popups_->State().mainClientRect = QRect(mapToGlobal(QPoint(0, 0)), size());
}
