#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace qv::test {

// A file's bytes, or "<missing>" when it cannot be read.
inline QByteArray Read(const QString& path) {
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
}

// Writes a file plainly (an earlier file for a test to keep or replace).
inline void Put(const QString& path, const QByteArray& bytes) {
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_EQ(out.write(bytes), bytes.size());
}

}  // namespace qv::test
