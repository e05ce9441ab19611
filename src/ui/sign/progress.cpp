// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/sign/progress.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <exception>
#include <memory>

namespace yz {

namespace {
constexpr int kShowAfterMs = 400;
constexpr int kTickMs = 50;
}  // namespace

SigningResult SignWithProgress(QWidget* owner, const SigningPlan& plan, const StampArts& arts) {
  std::atomic<int> done{0};
  std::atomic<int> total{0};
  std::atomic<bool> cancelled{false};
  SigningResult result;
  const auto sign = [&] {
    try {
      result = SignDocument(plan, arts, [&](int pagesDone, int pageCount) {
        done = pagesDone;
        total = pageCount;
        return !cancelled.load();
      });
    } catch (const std::exception& error) {
      // Nothing may leave the worker thread as an exception: it would end the program.
      result = {};
      result.failure = QStringLiteral("签署 %1 时出错：%2")
                           .arg(plan.documentPath, QString::fromLocal8Bit(error.what()));
    }
  };

  QProgressDialog progress(
      QStringLiteral("正在签署 %1 …").arg(QFileInfo(plan.documentPath).fileName()),
      QStringLiteral("取消"), 0, 0, owner);
  progress.setWindowTitle(QStringLiteral("签署 PDF 文档"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(kShowAfterMs);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] { cancelled = true; });

  QEventLoop loop;
  std::unique_ptr<QThread> worker(QThread::create(sign));
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  QTimer tick;
  tick.setInterval(kTickMs);
  QObject::connect(&tick, &QTimer::timeout, &progress, [&] {
    if (progress.wasCanceled()) cancelled = true;  // also when closed by Escape or the title bar
    if (cancelled) return;
    progress.setMaximum(total);
    progress.setValue(done);
  });
  worker->start();
  tick.start();
  if (!worker->isFinished()) loop.exec();
  worker->wait();
  return result;
}

}  // namespace yz
