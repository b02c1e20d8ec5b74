#pragma once

#include <QString>

namespace qv {

// The version file served by the update server: fields separated by "*",
// field 2 the latest version as its digits run together (2.1.0 is 210),
// field 3 the details text.
struct VersionReply {
    QString latest;   // field 2, empty when missing
    QString details;  // field 3
    bool newer;       // the server's number is higher than our own
};

// Our own version number as the server writes it: 2.0.0 gives "200", 2.10.0 "2100".
QString OwnVersionText(int major, int minor, int bug);

// Reads a version file against our own version text. The test is strictly
// "own < latest", each read as a decimal number (Val: non-numeric is 0).
VersionReply ReadVersionReply(const QString& content, const QString& own);

}  // namespace qv
