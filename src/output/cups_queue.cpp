// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/cups_queue.h"

#include <cups/cups.h>
#include <dlfcn.h>

namespace yz {

namespace {

// The few entry points used, resolved once; the header gives their exact types.
struct Cups {
  decltype(&cupsGetNamedDest) getNamedDest = nullptr;
  decltype(&cupsGetOption) getOption = nullptr;
  decltype(&cupsFreeDests) freeDests = nullptr;
  decltype(&cupsLastError) lastError = nullptr;
  decltype(&cupsLastErrorString) lastErrorString = nullptr;

  static const Cups* Get() {
    static const Cups cups = Load();
    const bool complete = cups.getNamedDest && cups.getOption && cups.freeDests &&
                          cups.lastError && cups.lastErrorString;
    return complete ? &cups : nullptr;
  }

 private:
  template <typename F>
  static void Resolve(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(library, name));
  }
  static Cups Load() {
    Cups cups;
    // The same library instance Qt's print plugin uses, so its last error is ours to read.
    void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (!library) return cups;
    Resolve(library, "cupsGetNamedDest", cups.getNamedDest);
    Resolve(library, "cupsGetOption", cups.getOption);
    Resolve(library, "cupsFreeDests", cups.freeDests);
    Resolve(library, "cupsLastError", cups.lastError);
    Resolve(library, "cupsLastErrorString", cups.lastErrorString);
    return cups;
  }
};

}  // namespace

std::optional<QueueState> QueryCupsQueue(const QString& name) {
  const Cups* cups = Cups::Get();
  if (!cups) return std::nullopt;
  const QByteArray queue = name.toUtf8();
  cups_dest_t* dest = cups->getNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
  if (!dest) return std::nullopt;
  const auto option = [&](const char* key) {
    return QString::fromUtf8(cups->getOption(key, dest->num_options, dest->options));
  };
  QueueState state;
  state.acceptingJobs = option("printer-is-accepting-jobs") != QStringLiteral("false");
  state.paused = option("printer-state").toInt() == IPP_PSTATE_STOPPED;
  state.message = option("printer-state-message");
  cups->freeDests(1, dest);
  return state;
}

std::optional<QString> LastCupsRefusal() {
  const Cups* cups = Cups::Get();
  if (!cups || cups->lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return std::nullopt;
  return QString::fromUtf8(cups->lastErrorString());
}

}  // namespace yz
