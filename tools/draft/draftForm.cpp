#include "draftForm.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "itemKinds.h"
#include "keywords.h"

namespace {

constexpr std::size_t listSize = MAX_ITEMS_SUM;
constexpr std::size_t operandsAsked = 6;  // the usage line's operands a form asks for, at most
constexpr char ellipsis[] = "\xE2\x80\xA6";

std::string joined(const std::vector<std::string>& words, std::string_view separator) {
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : std::string(separator)) + w;
    return text;
}

// What a shared marg or file item shows, which the options that share it have alike.
std::string sharingKey(const valueFacts& facts) {
    return facts.caption + (facts.kind == valueKind::folder ? "|dir" : facts.save ? "|save" : "|load");
}

bool takesValue(const optionOffers& offers) {
    return std::any_of(offers.keys.begin(), offers.keys.end(), [](const keyOffer& k) { return k.takesValue; });
}

// A list's name made of its caption's first words: "Output control" gives "Output-control".
std::string listBase(const std::string& caption) {
    std::string base = nameBase(caption);
    std::size_t cut = 0;
    for (int words = 0; words < 3 && cut != std::string::npos; ++words) cut = base.find('-', cut + 1);
    if (cut != std::string::npos) base.erase(cut);
    return base.substr(0, 24);
}

// A value's tooltip: the description, and the choices the help names.
std::string valueInfo(const std::string& description, const std::string& fallback, const valueFacts& facts) {
    std::string info = tooltipText(description.empty() ? fallback : description);
    if (!info.empty() && info.front() >= 'a' && info.front() <= 'z') info.front() = static_cast<char>(info.front() - 'a' + 'A');
    if (!facts.choices.empty()) info += std::string(KS_TOOL_TIP_ENDL) + "one of: " + joined(facts.choices, ", ");
    return info;
}

// Makes a form. Item names are unique within their kind and never "disable",
// which in a reference switches it off. Lists are held by index, as adding
// one moves the others.
class builder {
public:
    std::size_t addList(const std::string& base, const std::string& caption, bool last = false) {
        formList list;
        list.name = unique(listNames_, base.empty() ? "options" : base);
        list.caption = safeText(caption);
        if (list.caption.empty()) list.caption = "Options";
        f_.lists.push_back(std::move(list));
        last_.push_back(last);
        return f_.lists.size() - 1;
    }
    formList& listAt(std::size_t i) { return f_.lists[i]; }

    std::size_t makeKey(formKey key, const std::string& base) {
        key.name = unique(keyNames_, base.empty() ? "option" : base);
        key.caption = safeText(key.caption);
        if (key.caption.empty()) key.caption = "Option";
        f_.keys.push_back(std::move(key));
        return f_.keys.size() - 1;
    }
    // Offers key k in list, and writes it after that list when write is set.
    void place(std::size_t k, std::size_t list, bool write = true) {
        f_.lists[list].items.push_back(f_.keys[k].name);
        if (write) f_.lists[list].written.push_back(k);
    }

    // The marg or file item of a value, written after the key.
    void addValue(formKey& key, const std::string& base, const valueFacts& facts, const std::string& info) {
        if (facts.kind == valueKind::text) {
            f_.margs.push_back({unique(margNames_, base), safeText(facts.caption), info});
            if (f_.margs.back().caption.empty()) f_.margs.back().caption = "Value";
            key.marg = static_cast<int>(f_.margs.size()) - 1;
        } else {
            const char* action = facts.kind == valueKind::folder ? "dir" : facts.save ? "save" : "load";
            f_.files.push_back({unique(fileNames_, base), safeText(facts.caption), action, facts.guess});
            if (f_.files.back().caption.empty()) f_.files.back().caption = "File";
            f_.filterUsed = f_.filterUsed || facts.kind == valueKind::file;
            key.file = static_cast<int>(f_.files.size()) - 1;
        }
        key.writesItem = true;
    }

    // The marg or file item that options share past the limits, one per
    // caption and dialog: made, and written after key, at its first use.
    void shareValue(formKey& key, const valueFacts& facts) {
        const std::string sharing = sharingKey(facts);
        auto found = shared_.find(sharing);
        if (found == shared_.end()) {
            formKey first;
            const valueFacts plain{facts.kind, facts.save, facts.guess, {}, facts.caption};
            addValue(first, "shared-" + nameBase(facts.caption), plain,
                     "The value for the option chosen before, as its caption says");
            found = shared_.emplace(sharing, std::make_pair(first.marg, first.file)).first;
            key.writesItem = true;
        }
        key.marg = found->second.first;
        key.file = found->second.second;
    }

    // Places in list the key that leads back to target; made once per target.
    void placeBack(std::size_t target, std::size_t list) {
        auto found = back_.find(target);
        if (found == back_.end()) {
            formKey key;
            key.caption = "Back to " + f_.lists[target].caption;
            key.next = f_.lists[target].name;
            found = back_.emplace(target, makeKey(key, "back-to-" + f_.lists[target].name)).first;
            place(found->second, list);
        } else {
            place(found->second, list, false);
        }
    }

    // The form, with the lists made to be written last at its end.
    form finish() {
        std::vector<formList> first, last;
        for (std::size_t i = 0; i < f_.lists.size(); ++i) (last_[i] ? last : first).push_back(std::move(f_.lists[i]));
        f_.lists = std::move(first);
        f_.lists.insert(f_.lists.end(), last.begin(), last.end());
        return std::move(f_);
    }

private:
    static std::string unique(std::set<std::string>& used, const std::string& base) {
        std::string name = base;
        for (int n = 2; name == DISABLE || !used.insert(name).second; ++n) name = base + "-" + std::to_string(n);
        return name;
    }
    form f_;
    std::vector<bool> last_;
    std::set<std::string> listNames_, keyNames_, margNames_, fileNames_;
    std::map<std::size_t, std::size_t> back_;  // target list -> its back key
    std::map<std::string, std::pair<int, int>> shared_;  // sharing key -> (marg, file item)
};

// The keys that end the choices, which the default list offers after the
// options: those giving the first operand, or "--" where none is needed.
// The later operands are asked for in lists of their own, written last.
std::vector<std::size_t> addOperands(builder& b, const helpText& help) {
    const std::size_t m = std::min(help.operands.size(), operandsAsked);
    if (m == 0) {
        formKey done;
        done.caption = "End of the options (--)";
        done.data = "--";
        return {b.makeKey(done, "end")};
    }
    std::vector<std::size_t> listOf(m), moreOf(m);
    for (std::size_t i = 0; i < m; ++i) {
        const helpOperand& o = help.operands[i];
        if (i > 0) listOf[i] = b.addList(nameBase(o.name), o.name, true);
        if (o.repeated) moreOf[i] = b.addList(nameBase(o.name) + "-more", "More " + o.name, true);
    }
    std::vector<bool> mayEndAfter(m);  // every operand after i is optional
    bool restOptional = true;
    for (std::size_t i = m; i-- > 0;) {
        mayEndAfter[i] = restOptional;
        restOptional = restOptional && help.operands[i].optional;
    }
    std::vector<std::size_t> first;
    for (std::size_t i = 0; i < m; ++i) {
        const helpOperand& o = help.operands[i];
        const std::string base = nameBase(o.name);
        formKey given;
        const valueFacts facts = valueFactsOf(o.name, o.description, o.name);
        b.addValue(given, base, facts, valueInfo(o.description, "As in: " + help.usage, facts));
        std::vector<std::size_t> keys;  // those that give the operand
        const auto variant = [&](const std::string& caption, const std::string& next, const std::string& suffix) {
            formKey k = given;
            k.caption = caption;
            k.next = next;
            keys.push_back(b.makeKey(k, base + suffix));
            given.writesItem = false;
        };
        if (mayEndAfter[i]) variant(o.name, "disable", "");
        if (i + 1 < m)
            variant(o.name + ", then " + help.operands[i + 1].name + ellipsis, b.listAt(listOf[i + 1]).name, "-then");
        if (o.repeated) variant(o.name + ", then another", b.listAt(moreOf[i]).name, "-another");
        std::vector<std::size_t> all = keys;
        if (o.optional && i + 1 < m) {
            formKey skip;
            skip.caption = "No " + o.name;
            skip.next = b.listAt(listOf[i + 1]).name;
            all.push_back(b.makeKey(skip, "no-" + base));
        }
        if (i == 0 && restOptional) {
            formKey none;
            none.caption = (m == 1 ? "No " + o.name : "None of " + o.name + " and the rest") + " (--)";
            none.data = "--";
            all.push_back(b.makeKey(none, "no-operands"));
        }
        if (i == 0) first = all;
        for (std::size_t k : all)
            if (i > 0) b.place(k, listOf[i]);
        if (o.repeated)
            for (std::size_t k : keys) b.place(k, moreOf[i], false);
    }
    return first;
}

}  // namespace

formPlan::formPlan(const helpText& help) : help_(help) {
    std::size_t margs = 0;
    std::size_t files = 0;
    for (std::size_t i = 0; i < help.operands.size() && i < operandsAsked; ++i) {
        const helpOperand& o = help.operands[i];
        ++(valueFactsOf(o.name, o.description, o.name).kind == valueKind::text ? margs : files);
    }
    for (const helpOption& option : help.options) {
        optionPlan plan;
        plan.option = &option;
        plan.offers = offersOf(option);
        if (takesValue(plan.offers))
            plan.facts = valueFactsOf(plan.offers.placeholder, option.description, plan.offers.keys.front().data);
        plans_.push_back(std::move(plan));
    }
    shareValues(true, kindOf(MARG_KIND).most - margs);
    shareValues(false, kindOf(FILE_KIND).most - files);
    for (std::size_t i = 0; i < plans_.size(); ++i)
        if ((!plans_[i].offers.keys.empty() || !plans_[i].offers.range.empty()) && plans_[i].overLimit.empty())
            offered_.push_back(i);
}

void formPlan::shareValues(bool text, std::size_t room) {
    std::vector<std::size_t> values;
    for (std::size_t i = 0; i < plans_.size(); ++i)
        if (takesValue(plans_[i].offers) && (plans_[i].facts.kind == valueKind::text) == text) values.push_back(i);
    if (values.size() <= room) return;
    // The first k keep a value of their own; the rest share one per key.
    std::set<std::string> keys;
    std::size_t k = values.size();
    while (k > 0 && k + keys.size() > room) keys.insert(sharingKey(plans_[values[--k]].facts));
    std::set<std::string> kept;  // when even one per key is too many, the first keys
    for (std::size_t j = k; j < values.size(); ++j) {
        optionPlan& plan = plans_[values[j]];
        const std::string key = sharingKey(plan.facts);
        if (kept.size() < room || kept.count(key) != 0) {
            kept.insert(key);
            plan.shared = true;
        } else {
            plan.overLimit = std::string("whose values would need more than the ") +
                             std::to_string(kindOf(text ? MARG_KIND : FILE_KIND).most) +
                             (text ? " margs" : " file items") + " a script may hold";
        }
    }
}

namespace {

struct planned {
    const helpOption* option;
    const optionOffers* offers;
    const valueFacts* facts;
    bool shared;
    std::size_t width() const { return offers->range.empty() ? offers->keys.size() : 1; }
};

// The comment before an option's keys: how the help writes it and what it says.
std::vector<std::string> optionComments(const planned& p) {
    std::vector<std::string> lines{writtenForm(*p.option) +
                                   (p.option->description.empty() ? "" : ": " + p.option->description)};
    if (!p.offers->leftOut.empty()) lines.push_back("  " + p.offers->leftOut);
    return lines;
}

// Makes the keys of an option in list, each leading back to it.
void addOptionKeys(builder& b, const planned& p, std::size_t list) {
    const std::string& description = p.option->description;
    const std::string loop = b.listAt(list).name;
    if (!p.offers->range.empty()) {
        const std::vector<std::string>& range = p.offers->range;
        const std::string shown = range.front() + " " + ellipsis + " " + range.back();
        const std::string base = "range-" + nameBase(range.front()) + "-" + nameBase(range.back());
        const std::size_t rangeList = b.addList(base, keyCaption(description, shown));
        formKey nav;
        nav.caption = keyCaption(description, shown);
        nav.next = b.listAt(rangeList).name;
        nav.comments = optionComments(p);
        b.place(b.makeKey(nav, base), list);
        for (const std::string& member : range) {
            formKey key;
            key.caption = member;
            key.data = member;
            key.next = loop;
            b.place(b.makeKey(key, nameBase(member)), rangeList);
        }
        return;
    }
    bool first = true;
    bool valueMade = false;
    for (const keyOffer& offer : p.offers->keys) {
        formKey key;
        key.caption = keyCaption(description, offer.shown);
        key.data = offer.data;
        key.next = loop;
        if (first) key.comments = optionComments(p);
        std::string base = nameBase(offer.data);
        if (offer.takesValue && p.offers->keys.size() > 1) base += "-value";
        if (offer.takesValue && p.shared) {
            b.shareValue(key, *p.facts);
        } else if (offer.takesValue && !valueMade) {
            b.addValue(key, nameBase(offer.data), *p.facts, valueInfo(description, "The value of " + offer.data, *p.facts));
            valueMade = true;
        }
        b.place(b.makeKey(key, base), list);
        first = false;
    }
}

// Lays options out in a chain of lists that begins with first: at most 20
// items a list, reserved of them in the first left to the caller, one in each
// later list for the key back to backTo, and one for "More options…" in all but
// the last. An option's keys stay in one list.
void chainOptions(builder& b, const std::vector<planned>& options, std::size_t first, std::size_t reserved,
                  std::size_t backTo, const std::string& caption) {
    std::vector<std::vector<planned>> chunks;
    std::size_t rest = 0;
    for (const planned& p : options) rest += p.width();
    for (std::size_t i = 0; i < options.size();) {
        const std::size_t room = listSize - (chunks.empty() ? reserved : 1);
        chunks.emplace_back();
        const bool allFit = rest <= room;
        std::size_t used = 0;
        while (i < options.size() && (allFit || used + options[i].width() < room || chunks.back().empty())) {
            used += options[i].width();
            rest -= options[i].width();
            chunks.back().push_back(options[i++]);
        }
    }
    // A copy: adding a list moves the others. (caption must not be a list's own either.)
    const std::string name = b.listAt(first).name;
    std::vector<std::size_t> lists{first};
    for (std::size_t j = 1; j < chunks.size(); ++j)
        lists.push_back(b.addList(name + "-" + std::to_string(j + 1),
                                  caption + " (" + std::to_string(j + 1) + " of " + std::to_string(chunks.size()) + ")"));
    for (std::size_t j = 0; j < chunks.size(); ++j) {
        for (const planned& p : chunks[j]) addOptionKeys(b, p, lists[j]);
        if (j + 1 < chunks.size()) {
            formKey more;
            more.caption = std::string("More options") + ellipsis;
            more.next = b.listAt(lists[j + 1]).name;
            b.place(b.makeKey(more, "more-" + b.listAt(lists[j + 1]).name), lists[j]);
        }
        if (j > 0 || backTo != first) b.placeBack(backTo, lists[j]);
    }
}

}  // namespace

form formPlan::layout(std::size_t count) const {
    builder b;
    const std::size_t main = b.addList("main", "Options");
    const std::vector<std::size_t> ends = addOperands(b, help_);

    // The options offered, by section, and the comments on those that cannot be.
    std::vector<std::vector<planned>> bySection(help_.sections.size());
    std::vector<std::vector<std::string>> commentsOf(help_.sections.size());
    for (std::size_t k = 0; k < count && k < offered_.size(); ++k) {
        const optionPlan& p = plans_[offered_[k]];
        bySection[p.option->section].push_back({p.option, &p.offers, &p.facts, p.shared});
    }
    for (const optionPlan& p : plans_)
        if (p.offers.keys.empty() && p.offers.range.empty())
            commentsOf[p.option->section].push_back("not offered: " + writtenForm(*p.option) + ": " + p.offers.leftOut);
    std::vector<std::size_t> sections;
    std::size_t width = 0;
    for (std::size_t s = 0; s < bySection.size(); ++s) {
        for (const planned& p : bySection[s]) width += p.width();
        if (!bySection[s].empty()) sections.push_back(s);
    }
    const auto captionOf = [&](std::size_t s) { return help_.sections[s].empty() ? "Options" : help_.sections[s]; };
    std::vector<std::size_t> commentsAt(help_.sections.size(), main);

    if (width + ends.size() <= listSize || sections.size() <= 1) {
        // One chain of lists from main.
        std::vector<planned> all;
        for (std::size_t s : sections) all.insert(all.end(), bySection[s].begin(), bySection[s].end());
        if (sections.size() == 1) b.listAt(main).caption = safeText(captionOf(sections[0]));
        chainOptions(b, all, main, ends.size(), main, std::string(b.listAt(main).caption));
    } else {
        // main offers a key per section (in lists of its own when there are
        // many), each section a chain of lists that leads back to it.
        const bool oneMain = sections.size() + ends.size() <= listSize;
        const std::size_t room = oneMain ? sections.size() : listSize - ends.size() - 1;
        const std::size_t mainLists = (sections.size() + room - 1) / room;
        std::vector<std::size_t> mains{main};
        for (std::size_t j = 1; j < mainLists; ++j)
            mains.push_back(b.addList("main-" + std::to_string(j + 1), "Options (" + std::to_string(j + 1) + " of " +
                                                                            std::to_string(mainLists) + ")"));
        for (std::size_t n = 0; n < sections.size(); ++n) {
            const std::size_t s = sections[n];
            const std::size_t home = mains[n / room];
            const std::size_t own = b.addList(listBase(captionOf(s)), captionOf(s));
            commentsAt[s] = own;
            formKey entry;
            entry.caption = captionOf(s) + ellipsis;
            entry.next = b.listAt(own).name;
            b.place(b.makeKey(entry, "to-" + b.listAt(own).name), home);
            chainOptions(b, bySection[s], own, 1, home, captionOf(s));
            if ((n + 1) % room == 0 && home != mains.back()) {
                const std::size_t next = mains[n / room + 1];
                formKey more;
                more.caption = std::string("More sections") + ellipsis;
                more.next = b.listAt(next).name;
                b.place(b.makeKey(more, "more-" + b.listAt(next).name), home);
            }
        }
        for (std::size_t j = 1; j < mains.size(); ++j)
            for (std::size_t k : ends) b.place(k, mains[j], false);
    }
    for (std::size_t k : ends) b.place(k, main);
    for (std::size_t s = 0; s < commentsOf.size(); ++s)
        for (std::string& c : commentsOf[s]) b.listAt(commentsAt[s]).afterComments.push_back(std::move(c));
    return b.finish();
}

std::string formPlan::sectionName(std::size_t section) const {
    return help_.sections[section].empty() ? "the first section" : "\"" + help_.sections[section] + "\"";
}

std::vector<std::string> formPlan::leftOut(std::size_t count) const {
    std::vector<std::string> lines;
    // The options past count, which are those of the last sections: a section cut
    // part way, then the sections left out whole.
    std::map<std::size_t, std::pair<std::size_t, std::size_t>> past;  // section -> (left out, offered)
    for (std::size_t k = 0; k < offered_.size(); ++k) {
        auto& counts = past[plans_[offered_[k]].option->section];
        ++counts.second;
        if (k >= count) ++counts.first;
    }
    std::vector<std::size_t> whole;  // sections left out whole
    std::size_t wholeOptions = 0;
    for (const auto& [section, counts] : past) {
        if (counts.first == 0) continue;
        if (counts.first < counts.second) {
            lines.push_back("left out: " + std::to_string(counts.first) + " of the " + std::to_string(counts.second) +
                            " options of " + sectionName(section) + ", the last ones");
        } else {
            whole.push_back(section);
            wholeOptions += counts.first;
        }
    }
    if (whole.size() == 1)
        lines.push_back("left out: the " + std::to_string(wholeOptions) + " options of " + sectionName(whole.front()));
    else if (whole.size() > 1)
        lines.push_back("left out: the " + std::to_string(wholeOptions) + " options of the " + std::to_string(whole.size()) +
                        " sections from " + sectionName(whole.front()) + " to " + sectionName(whole.back()));
    // The options whose value would pass the margs or file items a script may hold.
    std::map<std::string, std::vector<const helpOption*>> over;  // why -> options
    for (const optionPlan& p : plans_)
        if (!p.overLimit.empty()) over[p.overLimit].push_back(p.option);
    for (const auto& [why, options] : over)
        lines.push_back("left out: " + (options.size() == 1 ? writtenForm(*options.front()) + ", " + why
                                                            : std::to_string(options.size()) + " options from " +
                                                                  writtenForm(*options.front()) + " on, " + why));
    std::map<bool, std::vector<const helpOption*>> sharing;  // text -> options whose values share
    for (std::size_t k = 0; k < offered_.size() && k < count; ++k)
        if (plans_[offered_[k]].shared)
            sharing[plans_[offered_[k]].facts.kind == valueKind::text].push_back(plans_[offered_[k]].option);
    for (const auto& [text, options] : sharing)
        lines.push_back("shared: the values of " + std::to_string(options.size()) + " options, from " +
                        writtenForm(*options.front()) + " on, in " + (text ? "margs" : "file items") +
                        " they share, one for each placeholder, past the " +
                        std::to_string(kindOf(text ? MARG_KIND : FILE_KIND).most) +
                        " a script may hold: their tooltips say less");
    if (help_.operands.size() > operandsAsked)
        lines.push_back("left out: the operands after the " + std::to_string(operandsAsked) + "th of the usage line");
    return lines;
}
