#include "app/QtTranslation.h"

#include "core/Jezyki.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
// The installed translation is a child of the application, found by this name.
const QString TranslatorName = QStringLiteral("QtPolish");
} // namespace

void FollowLanguageInQtTexts()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (app == nullptr)
        return;
    auto *installed = app->findChild<QTranslator *>(TranslatorName, Qt::FindDirectChildrenOnly);
    const bool polish = LanguageName == LanguagePolish;
    if (polish == (installed != nullptr))
        return;
    if (!polish) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        return;
    }
    auto *translator = new QTranslator(app);
    if (!translator->load(
            QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    translator->setObjectName(TranslatorName);
    QCoreApplication::installTranslator(translator);
}
