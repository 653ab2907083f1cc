#include "requestCheck.h"

#include <vector>

#include "host.h"
#include "serveApi.h"

namespace {

verdict refused(int status, std::string why) { return {status, std::move(why), false}; }

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

bool sameSecret(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i) difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

verdict checkRequest(const httplib::Request& req, const serverIdentity& server) {
    const std::string& method = req.method;
    if (method != "GET" && method != "HEAD" && method != "POST")
        return refused(405, "Method Not Allowed: this server answers GET, HEAD and POST only.");
    const std::string host = "127.0.0.1:" + std::to_string(server.port);
    if (req.get_header_value("Host") != host)
        return refused(403, "Forbidden: this server answers to " + host + " only.");
    // A body is read after these checks, and only with its length: a chunked
    // one, or one without a length, would be read without a limit.
    const std::string length = req.get_header_value("Content-Length");
    if (req.has_header("Transfer-Encoding") || (method == "POST" && length.empty()))
        return refused(411, "Length Required: a request's body needs a Content-Length, and cannot be chunked.");
    if (!length.empty() && (length.size() > 9 || length.find_first_not_of("0123456789") != std::string::npos ||
                            std::stoul(length) > maxRequestBody))
        return refused(413, "Payload Too Large: a request's body is 1 MB at most.");
    if (req.has_param("token"))
        return refused(400, "Bad Request: a token never goes in an address; open the launch file ccview printed.");

    const bool launch = method == "POST" && req.path == launchPath;
    const bool page = method != "POST" && !startsWith(req.path, "/api/");
    // A browser sends Sec-Fetch-Site with every request, and Origin with
    // every POST; a page can set neither. The launch file's form is posted
    // from a file, whose origin is "null".
    const std::string origin = req.get_header_value("Origin");
    const std::string site = req.get_header_value("Sec-Fetch-Site");
    const bool ownOrigin = origin.empty() || origin == "http://" + host || (launch && origin == "null");
    const bool ownSite = site.empty() || site == "same-origin" || launch || (page && site == "none");
    if (!ownOrigin || !ownSite) return refused(403, "Forbidden: only the page this server gave may ask this.");
    if (launch || page) return {};
    if (!sameSecret(req.get_header_value(tokenHeader), server.token))
        return refused(403, std::string("Forbidden: this needs the token in ") + tokenHeader +
                                "; open the launch file ccview printed.");
    return {0, {}, true};
}

std::string randomHex(std::size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::vector<unsigned char> bytes(size);
    if (!systemRandom(bytes.data(), size)) return {};
    std::string out;
    for (const unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}
