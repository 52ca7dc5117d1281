#pragma once

#include <QString>

// Texts shown to the operator, spelled exactly as the matrix tools have always
// shown them.
namespace UserTexts {
inline const QString kConnectToMatrixFailed = QStringLiteral("Connect to Matrix failed!");
inline const QString kOpenComFailed = QStringLiteral("Open COM failed!");
inline const QString kTimeOut = QStringLiteral("Time out!");
inline const QString kStandby = QStringLiteral("Matrix is in standby mode!");
inline const QString kConfiguring = QStringLiteral("Configuring . . .");
inline const QString kConfigureFailed = QStringLiteral("configure failed!");
inline const QString kConfigurationCompleted =
    QStringLiteral("Matrix configuration completed successfully!");
inline const QString kSearchingMatrixIp = QStringLiteral("Searching Matrix IP . . .");
inline const QString kSearchMatrixIpFailed = QStringLiteral("Search Matrix IP failed!");
} // namespace UserTexts
