#pragma once

#include <QString>

class CMainDlg;

// Renders the main window with each page, and each popup, to PNG files in
// `dir`. Returns the process exit code.
int WriteScreenshots(CMainDlg& window, const QString& dir);
