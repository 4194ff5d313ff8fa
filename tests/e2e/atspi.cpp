// The Qt window's controls as a screen reader reads them over AT-SPI: Qt's
// accessibility bridge puts the window's widgets on the accessibility bus,
// in the order they were made, which is the game's order of its controls.
// Nothing is cached: every read asks the program afresh.
#include "pixels.h"
#include "readers.h"
#include "xsession.h"

#include <atspi/atspi.h>

#include <algorithm>
#include <thread>
#include <utility>

namespace e2e
{

namespace
{

// Owns one reference, and lets go of a GError.
template <typename T> struct Ref {
    T *p = nullptr;
    explicit Ref(T *t = nullptr) : p(t) {}
    Ref(Ref &&o) noexcept : p(std::exchange(o.p, nullptr)) {}
    Ref &operator=(Ref &&o) noexcept
    {
        std::swap(p, o.p);
        return *this;
    }
    ~Ref()
    {
        if (p)
            g_object_unref(p);
    }
};

std::string takeString(gchar *s)
{
    std::string out = s ? s : "";
    g_free(s);
    return out;
}

// One AT-SPI query: a control that left the bus between two reads answers
// nothing (null, no children, no name, ATSPI_ROLE_INVALID) rather than an error.
template <class Query> auto ask(Query query)
{
    GError *error = nullptr;
    const auto value = query(&error);
    const bool failed = error != nullptr;
    g_clear_error(&error);
    return failed ? decltype(value){} : value;
}

Ref<AtspiAccessible> child(AtspiAccessible *parent, int i)
{
    return Ref<AtspiAccessible>(
        ask([&](GError **e) { return atspi_accessible_get_child_at_index(parent, i, e); }));
}

int childCount(AtspiAccessible *a)
{
    return ask([&](GError **e) { return atspi_accessible_get_child_count(a, e); });
}

std::string name(AtspiAccessible *a)
{
    return takeString(ask([&](GError **e) { return atspi_accessible_get_name(a, e); }));
}

AtspiRole role(AtspiAccessible *a)
{
    return ask([&](GError **e) { return atspi_accessible_get_role(a, e); });
}

class AtspiReader : public ControlsReader
{
public:
    explicit AtspiReader(double timeoutSeconds)
    {
        if (atspi_init() > 1)
            throw Failure("AT-SPI cannot start: no accessibility bus on the session bus");
        const auto start = Clock::now();
        while (!find()) {
            if (secondsSince(start) > timeoutSeconds)
                throw Failure("the Quarvel window's controls never showed on the accessibility "
                              "bus (is Qt's bridge on? QT_LINUX_ACCESSIBILITY_ALWAYS_ON)");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    ControlsReading read(bool detail) override
    {
        // Signals that the bridge sends (focus, names) wait in the
        // connection's queue until dispatched; nothing here listens to them.
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        ControlsReading r;
        r.focus = "none";
        for (std::size_t i = 0; i < places_.size(); ++i) {
            AtspiAccessible *a = objects_[i].p;
            const std::string &control = places_[i].name;
            // Only what is compared is asked for, unless the detail is.
            const bool named = control == "Label1" || control == "Label3";
            const bool stated = control == "Picture1" || control.starts_with("Command");
            if (!a || (!detail && !named && !stated))
                continue;
            const std::string n = named || detail ? name(a) : "";
            Ref<AtspiStateSet> states(atspi_accessible_get_state_set(a));
            const bool focused =
                states.p && atspi_state_set_contains(states.p, ATSPI_STATE_FOCUSED);
            const bool sensitive =
                states.p && atspi_state_set_contains(states.p, ATSPI_STATE_SENSITIVE);
            if (focused)
                r.focus = control;
            if (control == "Label1")
                r.status = n;
            if (control == "Label3") // named "Total Clicks: N" with its label
                r.counter = n.substr(n.find_last_of(' ') + 1);
            if (control == "Picture1")
                r.boardOpen = sensitive;
            if (detail)
                r.raw += control + (focused ? " focused" : "") + (sensitive ? "" : " insensitive") +
                         ": " + n + "\n";
        }
        return r;
    }

private:
    // The application named Quarvel, its frame, and under the frame's client
    // area the controls in the game's order.
    bool find()
    {
        Ref<AtspiAccessible> desktop(atspi_get_desktop(0));
        for (int i = 0, n = childCount(desktop.p); i < n; ++i) {
            Ref<AtspiAccessible> app = child(desktop.p, i);
            if (!app.p || name(app.p) != "Quarvel")
                continue;
            atspi_accessible_clear_cache(app.p);
            atspi_accessible_set_cache_mask(app.p, ATSPI_CACHE_NONE);
            for (int f = 0, frames = childCount(app.p); f < frames; ++f) {
                Ref<AtspiAccessible> frame = child(app.p, f);
                if (frame.p && role(frame.p) == ATSPI_ROLE_FRAME && mapControls(frame.p))
                    return true;
            }
        }
        return false;
    }

    bool mapControls(AtspiAccessible *frame)
    {
        places_ = controlPlaces();
        objects_.clear();
        objects_.resize(places_.size());
        for (int c = 0, n = childCount(frame); c < n; ++c) {
            Ref<AtspiAccessible> client = child(frame, c);
            if (client.p && mapChildren(client.p, -1))
                return true;
        }
        return false;
    }

    // The widgets inside `parent` are the controls whose container is
    // `container`, in order; false when the counts differ.
    bool mapChildren(AtspiAccessible *parent, int container)
    {
        std::vector<std::size_t> mine;
        for (std::size_t i = 0; i < places_.size(); ++i)
            if (places_[i].widget && places_[i].container == container)
                mine.push_back(i);
        if (childCount(parent) != int(mine.size()))
            return false;
        for (std::size_t k = 0; k < mine.size(); ++k) {
            objects_[mine[k]] = child(parent, int(k));
            if (!objects_[mine[k]].p)
                return false;
            const bool holdsOthers =
                std::any_of(places_.begin(), places_.end(),
                            [&](const ControlPlace &p) { return p.container == int(mine[k]); });
            if (holdsOthers && !mapChildren(objects_[mine[k]].p, int(mine[k])))
                return false;
        }
        return true;
    }

    std::vector<ControlPlace> places_;
    std::vector<Ref<AtspiAccessible>> objects_;
};

} // namespace

std::unique_ptr<ControlsReader> openAtspiReader(double timeoutSeconds)
{
    return std::make_unique<AtspiReader>(timeoutSeconds);
}

} // namespace e2e
