// The series' text form, read and written the same way by its maker and the
// probe.
#include "series.h"

#include "pixels.h"

#include <fstream>
#include <sstream>

namespace e2e
{

std::string formatEvent(const SeriesEvent &e)
{
    const Shown &s = e.after;
    std::ostringstream line;
    line << e.number << '\t' << e.action << '\t' << s.board << '\t' << s.clicks << '\t'
         << s.boardState << '\t' << s.hover << '\t' << s.focus << '\t' << s.status;
    return line.str();
}

std::vector<SeriesEvent> readSeries(const std::string &path)
{
    std::ifstream in(path);
    if (!in)
        throw Failure("cannot read the series " + path);
    std::vector<SeriesEvent> series;
    std::string row;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("# row: ", 0) == 0)
            row = line.substr(7);
        else if (line.rfind("# random", 0) == 0)
            row.clear();
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (fields.size() != 8)
            throw Failure("a line of the series with " + std::to_string(fields.size()) +
                          " fields, not 8: " + line);
        SeriesEvent e;
        e.number = std::stoi(fields[0]);
        e.row = row;
        e.action = fields[1];
        e.after = {fields[2], fields[3], fields[4], fields[5], fields[6], fields[7]};
        series.push_back(e);
    }
    if (series.empty() || series[0].action != "start")
        throw Failure("the series " + path + " does not open with its start");
    return series;
}

std::string differences(const Shown &expected, const Shown &shown)
{
    const std::pair<const char *, const std::string Shown::*> fields[] = {
        {"board", &Shown::board}, {"counter", &Shown::clicks}, {"board state", &Shown::boardState},
        {"hover", &Shown::hover}, {"focus", &Shown::focus},    {"status line", &Shown::status}};
    std::string out;
    for (const auto &[name, field] : fields)
        if (expected.*field != shown.*field)
            out += std::string(out.empty() ? "" : "; ") + name + ": \"" + expected.*field +
                   "\" in the headless game, \"" + shown.*field + "\" on screen";
    return out;
}

} // namespace e2e
