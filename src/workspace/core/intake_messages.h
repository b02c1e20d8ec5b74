#pragma once

// What the workspace says when a picture it is to take in cannot be had.

#include <QString>

namespace qv {

// The demo image could not be written into the temporary folder `folder`
// (its path) for `reason`.
QString DemoNotWritten(const QString& folder, const QString& reason);

}  // namespace qv
