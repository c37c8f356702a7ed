// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "finddialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The address a row stands for, kept beside its text.
constexpr int AddressRole = Qt::UserRole;

} // namespace

FindDialog::FindDialog(QWidget *parent)
    : QDialog(parent),
      lblFindStatus(new QLabel(this)),
      lstDevices(new QTreeWidget(this)),
      cmdUse(new QPushButton(tr("&Use"), this))
{
    setWindowTitle(tr("Find devices"));
    lblFindStatus->setObjectName(u"lblFindStatus"_s);
    lblFindStatus->setTextFormat(Qt::PlainText);
    lblFindStatus->setWordWrap(true);
    lstDevices->setObjectName(u"lstDevices"_s);
    lstDevices->setAccessibleName(tr("Devices found"));
    lstDevices->setAccessibleDescription(
            tr("Devices on the local network; Return or a double-click uses the one chosen"));
    lstDevices->setHeaderLabels(
            { tr("Name"), tr("Model"), tr("Generation"), tr("Address"), tr("Password") });
    lstDevices->setRootIsDecorated(false);
    lstDevices->setUniformRowHeights(true);
    lstDevices->setAllColumnsShowFocus(true);
    lstDevices->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lblFindStatus->setBuddy(lstDevices);
    cmdUse->setObjectName(u"cmdUse"_s);
    cmdUse->setAccessibleDescription(tr("Puts the chosen device's address in the address box"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(cmdUse, QDialogButtonBox::AcceptRole);
    cmdUse->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblFindStatus);
    layout->addWidget(lstDevices);
    layout->addWidget(buttons);
    resize(480, 240);

    // Return in the list reaches the default button, Use.
    connect(buttons, &QDialogButtonBox::accepted, this, &FindDialog::choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lstDevices, &QTreeWidget::itemDoubleClicked, this, &FindDialog::choose);
    connect(lstDevices, &QTreeWidget::currentItemChanged, cmdUse,
            [this](const QTreeWidgetItem *item) { cmdUse->setEnabled(item != nullptr); });
}

void FindDialog::ShowSearching()
{
    lstDevices->clear();
    cmdUse->setEnabled(false);
    lblFindStatus->setText(tr("Looking for devices…"));
    show();
    raise();
    activateWindow();
}

void FindDialog::ShowFound(const QList<FoundDevice> &devices, const QString &failure)
{
    for (const FoundDevice &device : devices) {
        const DeviceModel &model = device.model;
        auto *item = new QTreeWidgetItem(
                lstDevices,
                { device.name,
                  model.app.isEmpty() ? model.model : tr("%1 (%2)").arg(model.app, model.model),
                  QString::number(model.generation), device.address,
                  model.passwordOn ? tr("Yes") : tr("No") });
        item->setData(0, AddressRole, device.address);
    }
    if (!failure.isEmpty())
        lblFindStatus->setText(failure);
    else if (devices.isEmpty())
        lblFindStatus->setText(tr("No device found on this network. Type its address instead."));
    else
        lblFindStatus->setText(tr("Choose your device with Return or a double-click:"));
    // Every column whole, as far as the screen allows.
    lstDevices->header()->resizeSections(QHeaderView::ResizeToContents);
    const int width = lstDevices->header()->length() + 2 * lstDevices->frameWidth()
            + lstDevices->verticalScrollBar()->sizeHint().width();
    lstDevices->setMinimumWidth(std::min(width, screen()->availableGeometry().width() * 3 / 4));
    if (QTreeWidgetItem *first = lstDevices->topLevelItem(0)) {
        lstDevices->setCurrentItem(first);
        lstDevices->setFocus();
    }
}

void FindDialog::choose()
{
    const QTreeWidgetItem *item = lstDevices->currentItem();
    if (!item)
        return;
    accept();
    Q_EMIT chosen(item->data(0, AddressRole).toString());
}
