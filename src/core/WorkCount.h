#pragma once

#include <functional>
#include <memory>

namespace corvanta {

// Counts the pieces of one kind of work under way. Long work lets other
// commands run inside it, so pieces overlap: the count tells when the first
// one starts and when the last one ends. `changed` hears of both (true when
// the count leaves 0, false when it comes back to 0).
class WorkCount
{
    struct State
    {
        int pieces = 0;
        std::function<void(bool)> changed;
    };

public:
    explicit WorkCount(std::function<void(bool underWay)> changed = {});

    bool underWay() const { return m_state->pieces > 0; }

    // Counts as one piece while it lives; it may outlive the count itself.
    class Hold
    {
    public:
        explicit Hold(WorkCount &count);
        ~Hold();
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;

    private:
        std::weak_ptr<State> m_state;
    };

private:
    std::shared_ptr<State> m_state;
};

} // namespace corvanta
