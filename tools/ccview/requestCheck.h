// Who may ask ccview --serve anything: the checks every request passes
// before its route, as one function of the request alone, so that the
// whole policy can be read, and tested, in one place.
//
// Whoever holds the token can run programs with any arguments, as in a
// terminal; everything else is refused:
// - only GET, HEAD and POST are answered: any other method (a PUT, a CORS
//   preflight) gets 405 before its body is read;
// - every request names the server as 127.0.0.1 with its port in Host: no
//   other name (DNS rebinding), not even localhost, which a browser may
//   send to [::1], where another program could listen on the same port;
// - a body is read only with its length, and only up to maxRequestBody, so
//   that nobody can tie up the server before the checks;
// - a token never goes in an address (history keeps it), not even a wrong
//   one;
// - the launch route (POST /launch) hands the token to a page: it comes from
//   the launch file, whose origin is "null", and its route compares the
//   token in its body;
// - the pages themselves (a GET of any address outside /api/) hold no secret
//   and are given to the browser without the token;
// - everything under /api/ carries the token in the request header
//   X-Ccview-Token, which a page of another origin cannot send without a
//   CORS preflight, which the server refuses;
// - besides, an Origin, when sent, must be the server's own, and
//   Sec-Fetch-Site, when sent, "same-origin" ("none" too for a page typed
//   or bookmarked), so that another port's page (the same site) is refused
//   whatever it sends.
#pragma once

#include <string>

#include <httplib.h>

// The header every API request carries the token in.
inline constexpr const char* tokenHeader = "X-Ccview-Token";

// What a request is checked against: the server's port and its token.
struct serverIdentity {
    int port = 0;
    std::string token;
};

// A check's outcome: status 0 lets the request go on to its route; any
// other is the refusal's status, with why as its text. trusted: the request
// carried the token (only then is its connection kept open for more).
struct verdict {
    int status = 0;
    std::string why;
    bool trusted = false;
    bool passed() const { return status == 0; }
};

// Checks a request whose head has been read and whose body has not. Reads
// only the request's method, path, query and headers.
verdict checkRequest(const httplib::Request& req, const serverIdentity& server);

// Compares in time that depends on the lengths only, never on where the
// texts first differ.
bool sameSecret(const std::string& a, const std::string& b);

// size bytes from the system's random source, as hexadecimal; empty when
// the source fails.
std::string randomHex(std::size_t size);
