#pragma once

#include "KeySwallower.h"
#include "LinkPage.h"
#include "ShellPopups.h"

#include <QWidget>

#include <array>
#include <memory>

class CAboutBox;
class CEdidPage;
class CGeneralPage;
class CMatrixPage;
class CUpgradePage;
class QLabel;
class QPushButton;
class SkinButton;
class TabLabel;

// The one top-level window: title strip, four tabs hosting the pages, the
// popups, and the targets of the notifications posted by pages and dialogs.
class CMainDlg : public QWidget {
    Q_OBJECT
public:
    // Main-window timers.
    static constexpr int kActivateGeneralTimer = 1;
    static constexpr int kActivateEdidTimer = 2;
    static constexpr int kActivateUpgradeTimer = 3;
    static constexpr int kActivateMatrixTimer = 4;
    static constexpr int kActivationMs = 150;
    static constexpr int kSearchAfterConfigTimer = 7;
    static constexpr int kSearchAfterConfigMs = 2000;
    static constexpr int kSearchStartTimer = 8;
    static constexpr int kSearchStartMs = 500;
    static constexpr int kSearchGiveUpTimer = 9;
    static constexpr int kSearchGiveUpMs = 5000;
    static constexpr int kConfigCloseTimer = 10;
    static constexpr int kConfigCloseMs = 500;
    static constexpr int kMessageTimer = 55;
    static constexpr int kMessageMs = 1500;

    CMainDlg(Link& link, PopupState& popupState, TimerHostFactory& timers,
             const ProgramSettings& settings, QWidget* parent = nullptr);
    ~CMainDlg() override;

    // A press on a tab label: refused while a routing transaction or a
    // firmware upgrade is running.
    void SelectTab(PageId page);
    // The tab buttons' action: show the page and activate it 150 ms later.
    void ShowPage(PageId page);

    // Notifications; the Post variants queue them behind the current handler.
    void OnTabLock(int lock);
    void OnShellRequest(int request);
    void OnNetConfigResult(int result);
    void PostTabLock(int lock);
    void PostShellRequest(int request);
    void PostNetConfigResult(int result);

    PageId SelectedTab() const { return selected_; }
    CLinkPage& Page(PageId page) const;
    CGeneralPage& GeneralPage() const { return *general_; }
    CEdidPage& EdidPage() const { return *edid_; }
    CMatrixPage& MatrixPage() const { return *matrix_; }
    CUpgradePage& UpgradePage() const { return *upgrade_; }
    TabLabel& Tab(PageId page) const;
    QPushButton& TabButton(PageId page) const;
    QLabel& TitleStrip() const { return *title_; }
    SkinButton& CloseButton() const { return *closeButton_; }
    SkinButton& MinimizeButton() const { return *minimizeButton_; }
    ShellPopups& Popups() { return *popups_; }
    TimerHost& Timers() { return *timers_; }
    CAboutBox& AboutBox() const { return *about_; }
    void ShowAboutBox();

signals:
    // The configuring dialog's search after a new configuration.
    void searchMatrixRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildChrome();
    void BuildPages(PageContext context);
    void ResetPageFlags(PageId page);
    void OnTimer(int id);
    void StoreClientRect();
    void ShowTitleMenu(const QPoint& at);

    Link& link_;
    KeySwallower keySwallower_;
    std::unique_ptr<ShellPopups> popups_;
    std::unique_ptr<TimerHost> timers_;
    PageId selected_ = PageId::General;
    std::array<CLinkPage*, 4> pages_{};
    CGeneralPage* general_ = nullptr;
    CEdidPage* edid_ = nullptr;
    CMatrixPage* matrix_ = nullptr;
    CUpgradePage* upgrade_ = nullptr;
    std::array<TabLabel*, 4> tabs_{};
    std::array<QPushButton*, 4> tabButtons_{};
    QLabel* title_ = nullptr;
    QLabel* logo_ = nullptr;
    QLabel* tabStrip_ = nullptr;
    SkinButton* closeButton_ = nullptr;
    SkinButton* minimizeButton_ = nullptr;
    CAboutBox* about_ = nullptr;
};
