// A run's output kept on disk (runOutput.h): written in small parts so that
// it rolls over many times, then read back by offset, by its last lines, and
// whole, as the server's routes read it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runOutput.h"
#include "testSupport.h"
#include "utf8.h"

namespace {

using testSupport::scratchFolder;

std::string twoDigits(int n) { return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10); }

// What the writer was given: output bytes, and which offsets are standard error.
struct written {
    std::string all;
    std::vector<bool> isErr;
};

written writeLines(runOutputWriter& w, int count) {
    written what;
    for (int i = 0; i < count; ++i) {
        const std::string line = "line " + twoDigits(i) + "\n";
        const int stream = i % 5 == 4 ? 1 : 0;
        w.output(stream, line.data(), line.size());
        what.all += line;
        what.isErr.insert(what.isErr.end(), line.size(), stream == 1);
        if (i == 17) w.input("yes");
    }
    return what;
}

TEST(runOutput, PartsRollOverAndTheLastTwoAreKept) {
    scratchFolder dir;
    const std::string folder = utf8Of(dir.path() / "runs");
    auto w = std::make_unique<runOutputWriter>(folder, "r", 48);
    std::string why;
    ASSERT_TRUE(w->open(why)) << why;
    const written what = writeLines(*w, 20);
    EXPECT_EQ(w->size(), what.all.size());
    EXPECT_EQ(w->failure(), "");

    // Saved whole: the kept parts, in order, are the end of the output.
    std::uint64_t first = 0;
    const std::vector<std::string> files = runOutputFiles(folder, "r", first);
    ASSERT_EQ(files.size(), 2u);
    std::string saved;
    for (const std::string& f : files) saved += testSupport::fileBytes(pathOfUtf8(f));
    EXPECT_GT(first, 0u);
    EXPECT_EQ(first + saved.size(), what.all.size());
    EXPECT_EQ(saved, what.all.substr(first));

    // Read back in pieces of every size: the same bytes, each in its stream,
    // and the input where it was sent (after line 17, when it is kept).
    for (const std::size_t part : {1u, 7u, 8u, 1000u}) {
        SCOPED_TRACE(part);
        std::string bytes;
        std::vector<std::string> inputs;
        outputRange range;
        for (std::uint64_t from = 0;; from = range.next) {
            ASSERT_TRUE(readRunOutput(folder, "r", from, part, range));
            EXPECT_EQ(range.first, first);
            EXPECT_EQ(range.size, what.all.size());
            for (const outputPiece& p : range.pieces) {
                if (p.stream == 2) {
                    EXPECT_EQ(p.at, 18u * 8);
                    inputs.push_back(p.bytes);
                    continue;
                }
                EXPECT_EQ(p.at, first + bytes.size());
                for (std::size_t k = 0; k < p.bytes.size(); ++k) EXPECT_EQ(p.stream == 1, what.isErr[p.at + k]);
                bytes += p.bytes;
            }
            if (range.next == range.size) break;
        }
        EXPECT_EQ(bytes, what.all.substr(first));
        EXPECT_EQ(inputs, first <= 18u * 8 ? std::vector<std::string>{"yes"} : std::vector<std::string>{});
    }

    // Where the last lines begin, within a number of bytes, never before
    // what is kept.
    const std::uint64_t size = what.all.size();
    const struct {
        std::uint64_t lines, bytes, from;
    } tails[] = {{1, 1000, size - 8}, {3, 1000, size - 24}, {100, 1000, first}, {3, 10, size - 10}, {1, 8, size - 8}};
    for (const auto& t : tails) EXPECT_EQ(runOutputTail(folder, "r", t.lines, t.bytes), t.from) << t.lines << " " << t.bytes;

    // (a run's files are removed once its writer has closed them, as Windows
    // removes no open file)
    w.reset();
    removeRunOutput(folder, "r");
    EXPECT_TRUE(runOutputFiles(folder, "r", first).empty());
    EXPECT_FALSE(readRunOutput(folder, "r", 0, 100, *std::make_unique<outputRange>()));
}

TEST(runOutput, AFolderThatCannotHoldItSaysSo) {
    scratchFolder dir;
    testSupport::writeFile(dir.path() / "file", "x");
    runOutputWriter w(utf8Of(dir.path() / "file"), "r", 1 << 20);
    std::string why;
    EXPECT_FALSE(w.open(why));
    EXPECT_EQ(why, "cannot write " + utf8Of(dir.path() / "file" / "r.out"));
    w.output(0, "x", 1);
    EXPECT_EQ(w.failure(), why);
}

}  // namespace
