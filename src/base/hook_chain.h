#pragma once
// A chain of hooks in front of a procedure that several owners can share (a control's
// message handling, with the skin engine's hooks in front of the toolkit's). Each hook gets
// the message and the rest of the chain to pass it on to, or not. Hooks are added in front,
// removed or replaced by the token Hook returned, in any order and at any time, also from
// inside a call: a call runs the chain as it stood when the call began, and keeps that
// chain's hooks alive until it returns, so a hook that removes or replaces itself while it
// runs (a skinner letting go on the window's last message) is not destroyed under its feet.
// A change takes effect from the next call on.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

template <class Message>
class HookChain {
    struct Snapshot;

public:
    // The rest of the chain after a hook; calling it passes the message on.
    class Next {
    public:
        void operator()(Message& message) const { snapshot_->Run(index_, message); }

    private:
        friend class HookChain;
        Next(const Snapshot* snapshot, size_t index) : snapshot_(snapshot), index_(index) {}
        const Snapshot* snapshot_;
        size_t index_;
    };

    using Hook = std::function<void(Message&, const Next&)>;
    using Procedure = std::function<void(Message&)>;
    using Token = uint64_t;  // 0 is never a hook's

    explicit HookChain(Procedure last) {
        auto snapshot = std::make_shared<Snapshot>();
        snapshot->last = std::make_shared<const Procedure>(std::move(last));
        current_ = std::move(snapshot);
    }
    HookChain(const HookChain&) = delete;
    HookChain& operator=(const HookChain&) = delete;

    // Passes the message through every hook, newest first, then to the procedure.
    void Call(Message& message) const {
        const std::shared_ptr<const Snapshot> held = current_;
        held->Run(0, message);
    }

    // Puts the hook in front of the chain; returns its token.
    Token Add(Hook hook) {
        auto changed = std::make_shared<Snapshot>(*current_);
        const Token token = nextToken_++;
        changed->hooks.insert(changed->hooks.begin(), Entry{token, std::make_shared<const Hook>(std::move(hook))});
        current_ = std::move(changed);
        return token;
    }

    // Takes the hook out; false when the token is no hook of this chain (any more).
    bool Remove(Token token) {
        auto changed = std::make_shared<Snapshot>(*current_);
        auto& hooks = changed->hooks;
        for (auto it = hooks.begin(); it != hooks.end(); ++it) {
            if (it->token != token) continue;
            hooks.erase(it);
            current_ = std::move(changed);
            return true;
        }
        return false;
    }

    // Puts another hook in the place of the token's (same place, same token); false when
    // the token is no hook of this chain.
    bool Replace(Token token, Hook hook) {
        auto changed = std::make_shared<Snapshot>(*current_);
        for (Entry& entry : changed->hooks) {
            if (entry.token != token) continue;
            entry.hook = std::make_shared<const Hook>(std::move(hook));
            current_ = std::move(changed);
            return true;
        }
        return false;
    }

    size_t HookCount() const { return current_->hooks.size(); }

private:
    struct Entry {
        Token token;
        std::shared_ptr<const Hook> hook;
    };
    struct Snapshot {
        std::vector<Entry> hooks;
        std::shared_ptr<const Procedure> last;

        void Run(size_t index, Message& message) const {
            if (index < hooks.size())
                (*hooks[index].hook)(message, Next(this, index + 1));
            else if (*last)
                (*last)(message);
        }
    };

    std::shared_ptr<const Snapshot> current_;
    Token nextToken_ = 1;
};
