#pragma once

#include <QString>

namespace qv {

// The program's addresses on the web, fixed at build time. By default they lie
// under a reserved domain that never resolves, so a default build reaches no
// real host.
QString UpdateServer();          // base address of the update server
QString HomePage();              // the product's home page
QString SupportPage();           // the support page "sup_faq.asp"
QString FeedbackAddress();       // where "Beta bug" sends comments

// Tests point the version check at a local server.
void SetUpdateServer(const QString& base);

}  // namespace qv
