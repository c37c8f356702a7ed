// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "settings.h"

using namespace Qt::StringLiterals;

namespace {
const QString TrayNoticeShown = u"tray/noticeShown"_s;
}

bool Settings::trayNoticeShown() const
{
    return m_settings.value(TrayNoticeShown, false).toBool();
}

void Settings::setTrayNoticeShown()
{
    m_settings.setValue(TrayNoticeShown, true);
}
