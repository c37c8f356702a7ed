// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

QList<QTranslator *> InstallTranslations(const QLocale &locale)
{
    // Qt for Windows comes without its catalogues: the Windows program brings Qt's beside it, in
    // translations/. Where neither folder holds one, Qt's buttons stay English.
    const std::pair<QString, QStringList> catalogues[] = {
        { u"palvorin"_s, { u":/i18n"_s } },
        { u"qtbase"_s,
          { QLibraryInfo::path(QLibraryInfo::TranslationsPath),
            QCoreApplication::applicationDirPath() + u"/translations"_s } },
    };
    QList<QTranslator *> installed;
    for (const auto &[name, folders] : catalogues) {
        for (const QString &folder : folders) {
            auto *translator = new QTranslator(QCoreApplication::instance());
            if (translator->load(locale, name, u"_"_s, folder)
                && QCoreApplication::installTranslator(translator)) {
                installed.append(translator);
                break;
            }
            delete translator;
        }
    }
    return installed;
}
