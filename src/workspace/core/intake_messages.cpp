#include "workspace/core/intake_messages.h"

namespace qv {

QString DemoNotWritten(const QString& folder, const QString& reason) {
    return QStringLiteral(
               "The demo image could not be opened: it could not be written to the "
               "temporary folder \"%1\": %2.")
        .arg(folder, reason);
}

}  // namespace qv
