// Who may ask ccview --serve anything: the checks every request passes
// before its route, as one function of the request alone, so that the
// whole policy can be read, and tested, in one place.
//
// Whoever holds the token can run the program with any arguments, as in a
// terminal; everything else is refused:
// - every request names the server as 127.0.0.1 or localhost with its port
//   in Host (no other name can reach it through DNS rebinding);
// - a body is read only with its length, and only up to maxRequestBody, so
//   that nobody can tie up the server before the checks;
// - the launch address (GET / with the token in its query) may come from
//   anywhere, a local file included: its route compares the token;
// - a request that changes anything, and the event stream, must come from
//   the page itself: an Origin, when sent, must be the server's own, and
//   Sec-Fetch-Site, when sent, "same-origin" (another port of the same host
//   is same-site, so the cookie alone would not tell);
// - every other request carries the token in the cookie ccview-PORT.
#pragma once

#include <string>

#include <httplib.h>

// What a request is checked against: the server's port and its token.
struct serverIdentity {
    int port = 0;
    std::string token;
};

// A check's outcome: status 0 lets the request go on to its route; any
// other is the refusal's status, with why as its text.
struct verdict {
    int status = 0;
    std::string why;
    bool passed() const { return status == 0; }
};

// Checks a request whose head has been read and whose body has not. Reads
// only the request's method, path, query and headers.
verdict checkRequest(const httplib::Request& req, const serverIdentity& server);

// Compares in time that depends on the lengths only, never on where the
// texts first differ.
bool sameSecret(const std::string& a, const std::string& b);
