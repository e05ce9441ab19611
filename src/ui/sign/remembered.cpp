// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/remembered.h"

#include <QFileInfo>
#include <memory>

#include "ui/sign/choices.h"

namespace yz::remembered {

namespace {

const QString kApplication = QStringLiteral("yanzhou-sign");

std::optional<bool> ReadBool(const QSettings& settings, const QString& key) {
  const QString text = settings.value(key).toString();
  if (text == QLatin1String("true")) return true;
  if (text == QLatin1String("false")) return false;
  return std::nullopt;
}

std::optional<double> ReadNumber(const QSettings& settings, const QString& key, double least, double most) {
  bool ok = false;
  const double value = settings.value(key).toString().toDouble(&ok);
  if (!ok || !(value >= least && value <= most)) return std::nullopt;
  return value;
}

void RestoreBool(const QSettings& settings, const QString& key, QAbstractButton* box) {
  if (const auto on = ReadBool(settings, key); on && box->isEnabled()) box->setChecked(*on);
}

void RestoreStyle(const QSettings& settings, const QString& key, QComboBox* box) {
  if (const int index = box->findText(settings.value(key).toString()); index >= 0) box->setCurrentIndex(index);
}

QString ExistingFolder(const QString& key) {
  const QString folder = Settings()->value(key).toString();
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

}  // namespace

std::unique_ptr<QSettings> Settings() { return std::make_unique<QSettings>(kApplication, kApplication); }

void RestoreChoices(SignChoices& choices) {
  const auto settings = Settings();
  settings->beginGroup(QStringLiteral("signing"));
  RestoreBool(*settings, QStringLiteral("seal"), choices.chkSeal);
  RestoreStyle(*settings, QStringLiteral("sealStyle"), choices.cboSealStyle);
  RestoreBool(*settings, QStringLiteral("sealMultiplies"), choices.chkMultiply);
  RestoreBool(*settings, QStringLiteral("date"), choices.chkDate);
  if (const auto place = ReadNumber(*settings, QStringLiteral("datePlace"), 0, choices.cboDatePlace->count() - 1))
    choices.cboDatePlace->setCurrentIndex(int(*place));
  if (const auto on = ReadBool(*settings, QStringLiteral("seam")); on && choices.grpSeam->isEnabled())
    choices.grpSeam->setChecked(*on);
  RestoreStyle(*settings, QStringLiteral("seamStyle"), choices.cboSeamStyle);
  const std::pair<QString, QAbstractSpinBox*> numbers[] = {
      {QStringLiteral("seamSlices"), choices.spnSeamSlices},
      {QStringLiteral("seamTop"), choices.spnSeamTop},
      {QStringLiteral("seamWidth"), choices.spnSeamWidth}};
  for (const auto& [key, box] : numbers) {
    if (auto* whole = qobject_cast<QSpinBox*>(box)) {
      if (const auto value = ReadNumber(*settings, key, whole->minimum(), whole->maximum())) whole->setValue(int(*value));
    } else if (auto* real = qobject_cast<QDoubleSpinBox*>(box)) {
      if (const auto value = ReadNumber(*settings, key, real->minimum(), real->maximum())) real->setValue(*value);
    }
  }
  RestoreBool(*settings, QStringLiteral("seamSkipFirst"), choices.chkSkipFirst);
}

void RememberChoices(const SignChoices& choices) {
  const auto settings = Settings();
  settings->beginGroup(QStringLiteral("signing"));
  settings->setValue(QStringLiteral("seal"), choices.chkSeal->isChecked());
  settings->setValue(QStringLiteral("sealStyle"), choices.cboSealStyle->currentText());
  settings->setValue(QStringLiteral("sealMultiplies"), choices.chkMultiply->isChecked());
  settings->setValue(QStringLiteral("date"), choices.chkDate->isChecked());
  settings->setValue(QStringLiteral("datePlace"), choices.cboDatePlace->currentIndex());
  settings->setValue(QStringLiteral("seam"), choices.grpSeam->isChecked());
  settings->setValue(QStringLiteral("seamStyle"), choices.cboSeamStyle->currentText());
  settings->setValue(QStringLiteral("seamSlices"), choices.spnSeamSlices->value());
  settings->setValue(QStringLiteral("seamTop"), choices.spnSeamTop->value());
  settings->setValue(QStringLiteral("seamWidth"), choices.spnSeamWidth->value());
  settings->setValue(QStringLiteral("seamSkipFirst"), choices.chkSkipFirst->isChecked());
}

std::optional<double> Zoom() {
  const auto settings = Settings();
  const QString text = settings->value(QStringLiteral("signing/zoom")).toString();
  if (text == QLatin1String("width")) return 0;
  return ReadNumber(*settings, QStringLiteral("signing/zoom"), 0.25, 8);
}

void RememberZoom(std::optional<double> zoom) {
  Settings()->setValue(QStringLiteral("signing/zoom"),
                       !zoom ? QStringLiteral("page") : *zoom == 0 ? QStringLiteral("width") : QString::number(*zoom));
}

QString OpenFolder() { return ExistingFolder(QStringLiteral("signing/openFolder")); }
QString SaveFolder() { return ExistingFolder(QStringLiteral("signing/saveFolder")); }

void RememberOpened(const QString& documentPath) {
  const QFileInfo file(documentPath);
  const auto settings = Settings();
  settings->setValue(QStringLiteral("signing/openFolder"), file.absolutePath());
  QStringList recent = settings->value(QStringLiteral("signing/recent")).toStringList();
  recent.removeAll(file.absoluteFilePath());
  recent.prepend(file.absoluteFilePath());
  settings->setValue(QStringLiteral("signing/recent"), recent.mid(0, kRecentDocuments));
}

void RememberSaved(const QString& writtenPath) {
  Settings()->setValue(QStringLiteral("signing/saveFolder"), QFileInfo(writtenPath).absolutePath());
}

QStringList RecentDocuments() {
  QStringList recent;
  for (const QString& path : Settings()->value(QStringLiteral("signing/recent")).toStringList())
    if (QFileInfo(path).isFile() && recent.size() < kRecentDocuments) recent << path;
  return recent;
}

}  // namespace yz::remembered
