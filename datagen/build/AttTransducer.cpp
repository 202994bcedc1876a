#include "datagen/build/AttTransducer.h"

#include <charconv>
#include <vector>

namespace pv {

namespace {

struct Arc {
    int32_t to;
    std::string_view in, out;
};

struct Section {
    std::vector<std::vector<Arc>> arcs;
    std::vector<bool> final;
    bool malformed = false;

    void Grow(int32_t state) {
        if (static_cast<std::size_t>(state) >= arcs.size()) {
            arcs.resize(state + 1);
            final.resize(state + 1, false);
        }
    }
};

bool ParseState(std::string_view text, int32_t& state) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), state);
    return ec == std::errc() && end == text.data() + text.size() && state >= 0 && state < (1 << 28);
}

std::string_view Symbol(std::string_view s) { return s == "ε" ? std::string_view() : s; }

void ParseLine(std::string_view line, Section& section) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) return;
    std::string_view fields[6];
    std::size_t count = 0, start = 0;
    while (count < 6) {
        std::size_t tab = line.find('\t', start);
        fields[count++] = line.substr(start, tab == std::string_view::npos ? tab : tab - start);
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    int32_t from = 0, to = 0;
    if (count <= 2 || (count == 3 && fields[2].empty())) {  // final state, maybe weighted
        if (!ParseState(fields[0], from)) { section.malformed = true; return; }
        section.Grow(from);
        section.final[from] = true;
        return;
    }
    if (count < 4 || !ParseState(fields[0], from) || !ParseState(fields[1], to)) {
        section.malformed = true;
        return;
    }
    section.Grow(std::max(from, to));
    section.arcs[from].push_back({to, Symbol(fields[2]), Symbol(fields[3])});
}

// Colours: 0 unseen, 1 on the current path, 2 done.
bool HasCycle(const Section& s) {
    std::vector<uint8_t> colour(s.arcs.size(), 0);
    std::vector<std::pair<int32_t, std::size_t>> stack;
    for (std::size_t root = 0; root < s.arcs.size(); ++root) {
        if (colour[root]) continue;
        stack.push_back({static_cast<int32_t>(root), 0});
        colour[root] = 1;
        while (!stack.empty()) {
            auto& [state, next] = stack.back();
            if (next == s.arcs[state].size()) {
                colour[state] = 2;
                stack.pop_back();
                continue;
            }
            int32_t to = s.arcs[state][next++].to;
            if (colour[to] == 1) return true;
            if (colour[to] == 0) {
                colour[to] = 1;
                stack.push_back({to, 0});
            }
        }
    }
    return false;
}

// Number of paths from each state to a final state, capped at limit + 1.
int64_t CountPaths(const Section& s, int64_t limit) {
    std::vector<int64_t> paths(s.arcs.size(), -1);
    std::vector<std::pair<int32_t, std::size_t>> stack{{0, 0}};
    while (!stack.empty()) {
        auto& [state, next] = stack.back();
        if (next < s.arcs[state].size()) {
            int32_t to = s.arcs[state][next++].to;
            if (paths[to] < 0) stack.push_back({to, 0});
            continue;
        }
        int64_t n = s.final[state] ? 1 : 0;
        for (const Arc& a : s.arcs[state]) n = std::min(limit + 1, n + paths[a.to]);
        paths[state] = n;
        stack.pop_back();
    }
    return paths[0];
}

// Walks the simple paths from state 0; false when there are more than
// maxPaths of them (then nothing has been handed out).
bool Enumerate(const Section& s, const std::function<void(const std::string&, const std::string&)>& pair,
               AttEnumeration& result, int64_t maxPaths, bool dryRun) {
    struct Frame {
        int32_t state;
        std::size_t next;
        std::size_t inLength, outLength;
    };
    std::string in, out;
    std::vector<Frame> stack{{0, 0, 0, 0}};
    std::vector<bool> onPath(s.arcs.size(), false);
    onPath[0] = true;
    int64_t paths = 0;
    auto emit = [&] {
        if (++paths > maxPaths) return false;
        if (!dryRun) {
            pair(in, out);
            ++result.paths;
        }
        return true;
    };
    if (s.final[0] && !emit()) return false;
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == s.arcs[f.state].size()) {
            onPath[f.state] = false;
            stack.pop_back();
            continue;
        }
        const Arc& a = s.arcs[f.state][f.next++];
        if (onPath[a.to]) continue;
        in.resize(f.inLength);
        out.resize(f.outLength);
        in += a.in;
        out += a.out;
        if (s.final[a.to] && !emit()) return false;
        onPath[a.to] = true;
        stack.push_back({a.to, 0, in.size(), out.size()});
    }
    return true;
}

void Finish(Section& section, const std::function<void(const std::string&, const std::string&)>& pair,
            int64_t maxPaths, bool cyclicAsSimplePaths, AttEnumeration& result) {
    if (section.arcs.empty() && !section.malformed) return;
    ++result.sections;
    if (section.malformed) {
        ++result.malformedSections;
    } else if (HasCycle(section)) {
        ++result.cyclicSections;
        if (cyclicAsSimplePaths) {
            if (Enumerate(section, pair, result, maxPaths, true)) Enumerate(section, pair, result, maxPaths, false);
            else ++result.oversizedSections;
        }
    } else if (CountPaths(section, maxPaths) > maxPaths) {
        ++result.oversizedSections;
    } else {
        Enumerate(section, pair, result, maxPaths, false);
    }
    section = Section();
}

}  // namespace

AttEnumeration EnumerateAtt(std::string_view dump,
                            const std::function<void(const std::string&, const std::string&)>& pair,
                            int64_t maxPaths, bool cyclicAsSimplePaths) {
    AttEnumeration result;
    Section section;
    std::size_t start = 0;
    while (start < dump.size()) {
        std::size_t end = dump.find('\n', start);
        if (end == std::string_view::npos) end = dump.size();
        std::string_view line = dump.substr(start, end - start);
        if (line == "--" || line == "--\r") Finish(section, pair, maxPaths, cyclicAsSimplePaths, result);
        else ParseLine(line, section);
        start = end + 1;
    }
    Finish(section, pair, maxPaths, cyclicAsSimplePaths, result);
    return result;
}

}  // namespace pv
