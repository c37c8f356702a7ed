// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "devicefinder.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

// The devices a search found on the local network, one a row; the one chosen (Return, a
// double-click or Use) goes to the main window's address box.
class FindDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FindDialog(QWidget *parent = nullptr);

    // Shows the dialog, empty, while a search is under way.
    void ShowSearching();
    // Shows what the search found, or why it could not be made.
    void ShowFound(const QList<FoundDevice> &devices, const QString &failure);

Q_SIGNALS:
    void chosen(const QString &address);

private:
    void choose();

    QLabel *const lblFindStatus;
    QTreeWidget *const lstDevices;
    QPushButton *const cmdUse;
};
