#pragma once
// The local web server of the update tests (http_test_server.py), started once for the whole binary.

#include <string>

namespace update_test {

// "http://127.0.0.1:<port>" and "https://127.0.0.1:<tlsport>".
std::string HttpBase();
std::string HttpsBase();
int HttpPort();
// The requests the server saw so far, one block per request: "<method> <target> direct|proxied" and
// the request's header lines.
std::string ServerLog();
// The fixture folder the server serves, with a trailing '/'.
std::string FixtureFolder();

}  // namespace update_test
