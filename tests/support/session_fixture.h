#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/session.h"
#include "support/fake_services.h"

namespace qv::test {

// A started program (file types, application object, menu bar, handlers) on a
// scripted desktop; the finaliser runs at the end of each test.
class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        session_ = std::make_unique<Session>();
        session_->Start();
    }
    void TearDown() override {
        session_.reset();
        DrainEvents();
    }

    ScopedFakeServices fake_;
    std::unique_ptr<Session> session_;
};

}  // namespace qv::test
