#include "runOutput.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "base64.h"
#include "utf8.h"

namespace fs = std::filesystem;

namespace {

fs::path partPath(const std::string& folder, const std::string& id, int part, const char* extension) {
    std::string name = id;
    if (part != 0) name.append(".").append(std::to_string(part));
    name.append(extension);
    return pathOfUtf8(folder) / pathOfUtf8(name);
}

// A part as its index describes it.
struct partIndex {
    int part = 0;
    std::uint64_t start = 0, end = 0;  // its output offsets
    struct mark {
        char kind;  // 'o', 'e' or 'i'
        std::uint64_t at;
        std::string text;  // the input line, decoded
    };
    std::vector<mark> marks;
};

// The number of the part a file name holds for a run: "ID.idx" is 0,
// "ID.N.idx" is N; -1 for another name.
int partNumber(const std::string& name, const std::string& id) {
    if (name.size() < id.size() + 4 || name.compare(0, id.size(), id) != 0 || name[id.size()] != '.' ||
        name.compare(name.size() - 4, 4, ".idx") != 0)
        return -1;
    if (name.size() == id.size() + 4) return 0;
    // "ID." N ".idx"
    const std::string middle = name.substr(id.size() + 1, name.size() - id.size() - 5);
    if (middle.empty() || middle.size() > 6 || middle.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stoi(middle);
}

partIndex readIndex(const std::string& folder, const std::string& id, int part, bool& ok) {
    partIndex p;
    p.part = part;
    std::ifstream in(partPath(folder, id, part, ".idx"), std::ios::binary);
    std::string line;
    ok = std::getline(in, line) && line.rfind("p ", 0) == 0;
    if (!ok) return p;
    p.start = std::strtoull(line.c_str() + 2, nullptr, 10);
    while (std::getline(in, line)) {
        if (line.size() < 3 || line[1] != ' ') continue;
        const std::uint64_t at = std::strtoull(line.c_str() + 2, nullptr, 10);
        if (line[0] == 'o' || line[0] == 'e') {
            p.marks.push_back({line[0], at, {}});
        } else if (line[0] == 'i') {
            const std::size_t space = line.find(' ', 2);
            if (space != std::string::npos) p.marks.push_back({'i', at, base64Decoded(line.substr(space + 1))});
        }
    }
    std::error_code error;
    p.end = p.start + static_cast<std::uint64_t>(fs::file_size(partPath(folder, id, part, ".out"), error));
    ok = !error;
    return p;
}

// The parts of a run kept now, in order, each beginning where the one
// before ends (one that does not, left by a part removed while this read,
// goes with those before it).
std::vector<partIndex> keptParts(const std::string& folder, const std::string& id) {
    std::vector<int> numbers;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(pathOfUtf8(folder), error)) {
        const int n = partNumber(utf8Of(entry.path().filename()), id);
        if (n >= 0) numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    std::vector<partIndex> parts;
    for (const int n : numbers) {
        bool ok = false;
        partIndex p = readIndex(folder, id, n, ok);
        if (!ok) continue;
        if (!parts.empty() && parts.back().end != p.start) parts.clear();
        parts.push_back(std::move(p));
    }
    return parts;
}

}  // namespace

runOutputWriter::runOutputWriter(std::string folder, std::string id, std::uint64_t partBytes)
    : folder_(std::move(folder)), id_(std::move(id)), partBytes_(partBytes) {}

bool runOutputWriter::open(std::string& why) {
    std::error_code error;
    fs::create_directories(pathOfUtf8(folder_), error);
    if (!startPart(why)) {
        failure_ = why;
        return false;
    }
    return true;
}

bool runOutputWriter::startPart(std::string& why) {
    data_.close();
    index_.close();
    data_.clear();
    index_.clear();
    const fs::path data = partPath(folder_, id_, part_, ".out");
    data_.open(data, std::ios::binary | std::ios::trunc);
    index_.open(partPath(folder_, id_, part_, ".idx"), std::ios::binary | std::ios::trunc);
    if (!data_ || !index_) {
        why = "cannot write " + utf8Of(data);
        return false;
    }
    const std::string head = "p " + std::to_string(size_) + "\n";
    index_ << head;
    index_.flush();
    partSize_ = head.size();
    stream_ = -1;
    // Two parts are kept: this one and the one before.
    if (part_ >= 2) {
        std::error_code ignored;
        fs::remove(partPath(folder_, id_, part_ - 2, ".out"), ignored);
        fs::remove(partPath(folder_, id_, part_ - 2, ".idx"), ignored);
    }
    return true;
}

void runOutputWriter::wrote(bool ok) {
    if (!ok && failure_.empty()) failure_ = "the disk took no more of it";
}

void runOutputWriter::output(int stream, const char* data, std::size_t size) {
    while (size > 0 && failure_.empty()) {
        if (partSize_ >= partBytes_) {
            ++part_;
            std::string why;
            if (!startPart(why)) {
                failure_ = why;
                return;
            }
        }
        if (stream != stream_) {
            const std::string mark = std::string(stream == 0 ? "o " : "e ") + std::to_string(size_) + "\n";
            index_ << mark;
            index_.flush();
            wrote(index_.good());
            partSize_ += mark.size();
            stream_ = stream;
        }
        // (a part that its index alone filled still takes a byte)
        const std::uint64_t left = partBytes_ > partSize_ ? partBytes_ - partSize_ : 1;
        const auto room = static_cast<std::size_t>(std::min<std::uint64_t>(size, left));
        // (room is at least 1: size and left both are)
        // cppcheck-suppress invalidFunctionArg
        data_.write(data, static_cast<std::streamsize>(room));
        data_.flush();
        wrote(data_.good());
        data += room;
        size -= room;
        size_ += room;
        partSize_ += room;
    }
}

void runOutputWriter::input(const std::string& line) {
    if (!failure_.empty()) return;
    const std::string mark = "i " + std::to_string(size_) + " " + base64(line.data(), line.size()) + "\n";
    index_ << mark;
    index_.flush();
    wrote(index_.good());
    partSize_ += mark.size();
}

bool readRunOutput(const std::string& folder, const std::string& id, std::uint64_t from, std::size_t maxBytes,
                   outputRange& range) {
    const std::vector<partIndex> parts = keptParts(folder, id);
    if (parts.empty()) return false;
    range = {};
    range.first = parts.front().start;
    range.size = parts.back().end;
    range.from = std::clamp(from, range.first, range.size);
    const std::uint64_t until = range.from + std::min<std::uint64_t>(maxBytes, range.size - range.from);
    range.next = until;
    for (const partIndex& p : parts) {
        if (p.end < range.from || p.start > until) continue;
        std::ifstream data(partPath(folder, id, p.part, ".out"), std::ios::binary);
        int stream = 0;
        std::uint64_t at = p.start;
        // The output from at to end, as far as it is asked for.
        const auto take = [&](std::uint64_t end) {
            const std::uint64_t a = std::max(at, range.from), b = std::min(end, until);
            at = std::max(at, end);
            if (b <= a) return;
            std::string bytes(static_cast<std::size_t>(b - a), '\0');
            data.seekg(static_cast<std::streamoff>(a - p.start));
            data.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(data.gcount(), 0)));
            data.clear();
            range.pieces.push_back({stream, a, std::move(bytes)});
        };
        for (const partIndex::mark& mark : p.marks) {
            take(mark.at);
            if (mark.kind != 'i') {
                stream = mark.kind == 'o' ? 0 : 1;
            } else if (mark.at >= range.from && (mark.at < until || until == range.size)) {
                range.pieces.push_back({2, mark.at, mark.text});
            }
        }
        take(p.end);
    }
    return true;
}

std::uint64_t runOutputTail(const std::string& folder, const std::string& id, std::uint64_t lines,
                            std::uint64_t maxBytes) {
    const std::vector<partIndex> parts = keptParts(folder, id);
    if (parts.empty()) return 0;
    const std::uint64_t end = parts.back().end;
    const std::uint64_t floor = std::max(parts.front().start, end > maxBytes ? end - maxBytes : 0);
    std::uint64_t ends = 0;  // line ends seen, from the end
    char buffer[65536];
    for (auto p = parts.rbegin(); p != parts.rend(); ++p) {
        std::ifstream data(partPath(folder, id, p->part, ".out"), std::ios::binary);
        std::uint64_t at = p->end;
        while (at > std::max(p->start, floor)) {
            const std::uint64_t size = std::min<std::uint64_t>(sizeof buffer, at - std::max(p->start, floor));
            at -= size;
            data.seekg(static_cast<std::streamoff>(at - p->start));
            data.read(buffer, static_cast<std::streamsize>(size));
            for (std::uint64_t i = size; i-- > 0;) {
                // A line end that ends the output ends no line after it.
                if (buffer[i] != '\n' || at + i + 1 == end) continue;
                if (++ends == lines) return at + i + 1;
            }
        }
    }
    return floor;
}

std::vector<std::string> runOutputFiles(const std::string& folder, const std::string& id, std::uint64_t& first) {
    std::vector<std::string> files;
    const std::vector<partIndex> parts = keptParts(folder, id);
    first = parts.empty() ? 0 : parts.front().start;
    files.reserve(parts.size());
    for (const partIndex& p : parts) files.push_back(utf8Of(partPath(folder, id, p.part, ".out")));
    return files;
}

void removeRunOutput(const std::string& folder, const std::string& id) {
    if (id.empty()) return;  // (a record without its id names no files)
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(pathOfUtf8(folder), error)) {
        const std::string name = utf8Of(entry.path().filename());
        // Only a run's own files: ID.out, ID.idx, ID.N.out, ID.N.idx.
        const bool part = name.size() > 4 && (name.compare(name.size() - 4, 4, ".out") == 0 ||
                                              name.compare(name.size() - 4, 4, ".idx") == 0);
        if (part && name.size() > id.size() && name.compare(0, id.size(), id) == 0 && name[id.size()] == '.')
            fs::remove(entry.path(), error);
    }
}
