// The headless twin and the win planner. The planner's states are the tile
// cells packed four bits per tile; each move is tried on a scratch Form1.
#include "twin.h"

#include "xsession.h"

#include <cstdint>
#include <cstdlib>
#include <queue>
#include <unordered_map>

namespace e2e
{

namespace
{

using Cells = std::uint32_t; // tile i's cell in bits 4i..4i+3

int cellOf(Cells cells, int tile)
{
    return int((cells >> (4 * tile)) & 0xFu);
}

Cells withCell(Cells cells, int tile, int cell)
{
    return (cells & ~(Cells(0xF) << (4 * tile))) | (Cells(cell) << (4 * tile));
}

Cells readCells(Form1 &form)
{
    Cells cells = 0;
    for (int i = 0; i < 8; ++i) {
        const ui::CommandButton &t = form.Command1(ui::Int16(i));
        cells = withCell(cells, i, form.findRow(t.top()) * 3 + form.findRow(t.left()));
    }
    return cells;
}

// A Form1 that never loads (it draws no random number) with the twin's
// numbers, on which the planner tries its moves.
struct Scratch {
    ui::Headless ui;
    Form1 form;
    ui::Platform *restore;

    Scratch(Twin &twin, ui::Platform *previous) : restore(previous)
    {
        for (int i = 0; i < 8; ++i)
            form.Command1(ui::Int16(i))
                .setCaption(twin.game().form.Command1(ui::Int16(i)).caption());
    }
    ~Scratch() { ui::setPlatform(restore); }

    void place(Cells cells)
    {
        for (int i = 0; i < 8; ++i) {
            const int cell = cellOf(cells, i);
            form.Command1(ui::Int16(i)).setTop(float(cell / 3 * 1000));
            form.Command1(ui::Int16(i)).setLeft(float(cell % 3 * 1000));
        }
    }

    // The board after the move, as Form1 makes it; `won` tells whether the
    // click announced the win.
    Cells move(Cells from, int tile, bool jump, int focusTile, bool &won)
    {
        place(from);
        form.Picture1.setEnabled(true);
        form.Label1.setCaption("");
        form.isShift = 0;
        if (jump)
            ui.keyPress(form.Command1(ui::Int16(focusTile)), 'a');
        ui.click(form.Command1(ui::Int16(tile)));
        won = form.Label1.caption() == "You are the winner!";
        return readCells(form);
    }

    BoardText text(Cells cells)
    {
        BoardText out(9, '.');
        for (int i = 0; i < 8; ++i)
            out[size_t(cellOf(cells, i))] = form.Command1(ui::Int16(i)).caption().at(0);
        return out;
    }
};

} // namespace

BoardText Twin::board()
{
    BoardText out(9, '.');
    for (int i = 0; i < 8; ++i) {
        const ui::CommandButton &t = game_.form.Command1(ui::Int16(i));
        const int cell = game_.form.findRow(t.top()) * 3 + game_.form.findRow(t.left());
        out[size_t(cell)] = t.caption().at(0);
    }
    return out;
}

int Twin::tileOn(int cell)
{
    for (int i = 0; i < 8; ++i) {
        const ui::CommandButton &t = game_.form.Command1(ui::Int16(i));
        if (game_.form.findRow(t.top()) * 3 + game_.form.findRow(t.left()) == cell)
            return i;
    }
    return -1;
}

std::vector<Step> planWin(Twin &twin, int jumpCost)
{
    ui::Platform *previous = ui::platform();
    Scratch scratch(twin, previous);
    const Cells start = readCells(twin.game().form);

    // Distance estimate: each number's cells away from where the solved
    // board shows it, the only game knowledge the search itself holds.
    int goalCell[8];
    for (int i = 0; i < 8; ++i)
        goalCell[i] = std::stoi(scratch.form.Command1(ui::Int16(i)).caption()) - 1;
    auto estimate = [&](Cells cells) {
        int sum = 0;
        for (int i = 0; i < 8; ++i) {
            const int c = cellOf(cells, i), g = goalCell[i];
            sum += std::abs(c / 3 - g / 3) + std::abs(c % 3 - g % 3);
        }
        return sum;
    };

    struct Node {
        Cells cells;
        int cost;
        Cells parent;
        bool jump;
        int tile;
    };
    std::unordered_map<Cells, Node> seen;
    using Entry = std::pair<int, Cells>; // estimate of the total, state
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    seen[start] = {start, 0, start, false, -1};
    open.push({estimate(start), start});
    Cells goal = start;
    bool found = false;
    while (!open.empty() && !found) {
        const Cells cells = open.top().second;
        open.pop();
        const Node node = seen.at(cells);
        for (int jump = 0; jump <= 1 && !found; ++jump) {
            for (int tile = 0; tile < 8 && !found; ++tile) {
                bool won = false;
                const Cells next =
                    scratch.move(cells, tile, jump != 0, node.tile < 0 ? 0 : node.tile, won);
                const int cost = node.cost + (jump ? jumpCost : 1);
                if (next == cells)
                    continue;
                auto it = seen.find(next);
                if (it != seen.end() && it->second.cost <= cost)
                    continue;
                seen[next] = {next, cost, cells, jump != 0, tile};
                if (won) {
                    goal = next;
                    found = true;
                } else {
                    open.push({cost + estimate(next), next});
                }
            }
        }
        if (seen.size() > 2000000)
            break;
    }
    if (!found)
        throw Failure("the planner found no way to win from " + twin.board());

    std::vector<Step> plan;
    for (Cells c = goal; c != start; c = seen.at(c).parent) {
        const Node &n = seen.at(c);
        plan.insert(plan.begin(), Step{n.jump, n.tile, cellOf(seen.at(c).parent, n.tile), {}});
    }

    // Replay from the start, the way the real window will get it: the "a"
    // goes to the tile clicked last (tile 0, reached with Tab, before any).
    Cells cells = start;
    for (size_t i = 0; i < plan.size(); ++i) {
        Step &s = plan[i];
        scratch.place(cells);
        bool won = false;
        const int focus = i == 0 ? 0 : plan[i - 1].tile;
        cells = scratch.move(cells, s.tile, s.jump, focus, won);
        s.after = scratch.text(cells);
        if (won != (i + 1 == plan.size()))
            throw Failure("the plan does not win at its last click (step " + std::to_string(i) +
                          ")");
    }
    return plan;
}

} // namespace e2e
