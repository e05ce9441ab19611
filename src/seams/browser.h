#pragma once

#include <QString>

namespace yz {

// Opens a web address in the user's browser and returns at once; failures are not reported.
class Browser {
 public:
  virtual ~Browser() = default;
  virtual void Open(const QString& url) = 0;
};

}  // namespace yz
