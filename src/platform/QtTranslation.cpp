#include "platform/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace platform {

namespace {

std::unique_ptr<QTranslator> &installed()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

bool QtTranslation::use(const LanguageFile &file)
{
    return use(file.text(QStringLiteral("Language"), QStringLiteral("QtLocale"), QString()), translationsDirectory());
}

bool QtTranslation::use(const QString &locale, const QString &directory)
{
    if (installed()) {
        QCoreApplication::removeTranslator(installed().get());
        installed().reset();
    }
    if (locale.isEmpty())
        return false;
    // qtbase holds the texts of Qt's widgets and dialogs; the programs use no other module's.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(locale), QStringLiteral("qtbase"), QStringLiteral("_"), directory))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed() = std::move(translator);
    return true;
}

QString QtTranslation::translationsDirectory()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

} // namespace platform
