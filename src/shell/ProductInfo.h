#pragma once

#include <QString>

namespace shell::product {

inline const QString kTitle = QStringLiteral("Pellion");
inline const QString kHomePage = QStringLiteral("https://pellion.example.org/");
inline const QString kSupportMail = QStringLiteral("support@pellion.example.org");
inline const QString kSplashVersion = QStringLiteral("Version :  2.4.3 Build0316");
inline const QString kAboutVersion = QStringLiteral("Version :  2.4.3  Build 0316");

} // namespace shell::product
