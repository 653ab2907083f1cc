#include "requestCheck.h"

#include "serveApi.h"

namespace {

// The value of the cookie name in a request's Cookie headers, or "".
std::string cookieValue(const httplib::Request& req, const std::string& name) {
    const std::size_t count = req.get_header_value_count("Cookie");
    for (std::size_t i = 0; i < count; ++i) {
        const std::string header = req.get_header_value("Cookie", i);
        std::size_t at = 0;
        while (at < header.size()) {
            std::size_t end = header.find(';', at);
            if (end == std::string::npos) end = header.size();
            std::string pair = header.substr(at, end - at);
            pair.erase(0, pair.find_first_not_of(' '));
            const std::size_t eq = pair.find('=');
            if (eq != std::string::npos && pair.compare(0, eq, name) == 0) return pair.substr(eq + 1);
            at = end + 1;
        }
    }
    return {};
}

verdict refused(int status, std::string why) { return {status, std::move(why)}; }

}  // namespace

bool sameSecret(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i) difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

verdict checkRequest(const httplib::Request& req, const serverIdentity& server) {
    const std::string port = std::to_string(server.port);
    const std::string hosts[] = {"127.0.0.1:" + port, "localhost:" + port};
    const std::string host = req.get_header_value("Host");
    if (host != hosts[0] && host != hosts[1])
        return refused(403, "Forbidden: this server answers to 127.0.0.1:" + port + " only.");
    // A body is read after these checks, and only with its length: a chunked
    // one, or one without a length, would be read without a limit.
    const std::string length = req.get_header_value("Content-Length");
    if (req.has_header("Transfer-Encoding") || (req.method == "POST" && length.empty()))
        return refused(411, "Length Required: a request's body needs a Content-Length, and cannot be chunked.");
    if (!length.empty() && (length.size() > 9 || length.find_first_not_of("0123456789") != std::string::npos ||
                            std::stoul(length) > maxRequestBody))
        return refused(413, "Payload Too Large: a request's body is 1 MB at most.");
    // The launch address: its route compares the token. It may come from
    // another site (the browser opens it from a local file): the token is
    // the proof.
    if (req.method == "GET" && req.path == "/" && req.has_param("token")) return {};
    const std::string origin = req.get_header_value("Origin");
    const std::string site = req.get_header_value("Sec-Fetch-Site");
    const bool changes = req.method != "GET" || req.path == "/api/events";
    // A browser sends Sec-Fetch-Site, and Origin with every POST; neither
    // can be set by a page. A request without both is not a browser's.
    const bool ownOrigin = origin.empty() || origin == "http://" + hosts[0] || origin == "http://" + hosts[1];
    const bool ownSite = site.empty() || site == "same-origin" || (site == "none" && !changes);
    if (!ownOrigin || !ownSite) return refused(403, "Forbidden: only the page this server gave may ask this.");
    if (!sameSecret(cookieValue(req, "ccview-" + port), server.token))
        return refused(403, "Forbidden: open the address ccview printed when it started; it holds the token.");
    return {};
}
