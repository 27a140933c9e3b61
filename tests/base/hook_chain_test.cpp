// The hook chain two owners share: order, passing on or not, and hooks that remove or
// replace themselves (or the chain's owner) in the middle of a call. Under the sanitizers a
// hook destroyed while it still runs shows up as a use after free of its captured state.
#include "base/hook_chain.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Msg {
    int id = 0;
    std::vector<std::string> seen;
};
using Chain = HookChain<Msg>;

// A hook whose state lives in the hook object itself, as a skinner's would.
Chain::Hook Named(std::string name) {
    return [name = std::move(name)](Msg& m, const Chain::Next& next) {
        m.seen.push_back(name);
        next(m);
    };
}

}  // namespace

TEST(HookChainTest, NewestHookRunsFirstAndAHookCanKeepAMessageFromTheRest) {
    Chain chain([](Msg& m) { m.seen.push_back("base"); });
    const auto a = chain.Add(Named("a"));
    const auto b = chain.Add([](Msg& m, const Chain::Next& next) {
        m.seen.push_back("b");
        if (m.id != 7) next(m);  // swallows 7
    });
    Msg m;
    chain.Call(m);
    EXPECT_EQ(m.seen, (std::vector<std::string>{"b", "a", "base"}));
    Msg swallowed{7, {}};
    chain.Call(swallowed);
    EXPECT_EQ(swallowed.seen, (std::vector<std::string>{"b"}));

    // Detached in the order they came or the other way round, the rest keeps working.
    EXPECT_TRUE(chain.Remove(a));
    EXPECT_FALSE(chain.Remove(a));
    Msg after;
    chain.Call(after);
    EXPECT_EQ(after.seen, (std::vector<std::string>{"b", "base"}));
    EXPECT_TRUE(chain.Remove(b));
    Msg plain;
    chain.Call(plain);
    EXPECT_EQ(plain.seen, (std::vector<std::string>{"base"}));
    EXPECT_EQ(chain.HookCount(), 0u);
    EXPECT_FALSE(chain.Replace(b, Named("x")));
}

TEST(HookChainTest, AHookThatRemovesOrReplacesItselfWhileRunningFinishesItsCall) {
    Chain chain([](Msg& m) { m.seen.push_back("base"); });
    chain.Add(Named("inner"));
    // Unhooks itself on message 2 and then still uses what it captured and passes on.
    Chain::Token self = 0;
    self = chain.Add([&chain, &self, tag = std::make_shared<std::string>("leaving")](Msg& m, const Chain::Next& next) {
        if (m.id == 2) {
            EXPECT_TRUE(chain.Remove(self));
        }
        m.seen.push_back(*tag);
        next(m);
    });
    Msg first{1, {}};
    chain.Call(first);
    EXPECT_EQ(first.seen, (std::vector<std::string>{"leaving", "inner", "base"}));
    Msg last{2, {}};
    chain.Call(last);
    EXPECT_EQ(last.seen, (std::vector<std::string>{"leaving", "inner", "base"}));
    Msg after{3, {}};
    chain.Call(after);
    EXPECT_EQ(after.seen, (std::vector<std::string>{"inner", "base"}));

    // Swaps itself for another in the same place on message 5; the next call meets the new one.
    Chain::Token swapper = 0;
    swapper = chain.Add([&chain, &swapper, name = std::string("old")](Msg& m, const Chain::Next& next) {
        if (m.id == 5) chain.Replace(swapper, Named("new"));
        m.seen.push_back(name);
        next(m);
    });
    chain.Add(Named("front"));
    Msg swap{5, {}};
    chain.Call(swap);
    EXPECT_EQ(swap.seen, (std::vector<std::string>{"front", "old", "inner", "base"}));
    Msg swapped{6, {}};
    chain.Call(swapped);
    EXPECT_EQ(swapped.seen, (std::vector<std::string>{"front", "new", "inner", "base"}));
    EXPECT_TRUE(chain.Remove(swapper));
}

TEST(HookChainTest, ACallSurvivesItsChainBeingDestroyedAndNestedCallsSeeTheNewChain) {
    auto chain = std::make_unique<Chain>([](Msg& m) { m.seen.push_back("base"); });
    // A nested call made from inside a hook already sees what the hook changed.
    Chain::Token outer = 0;
    outer = chain->Add([&](Msg& m, const Chain::Next& next) {
        m.seen.push_back("outer");
        if (m.id == 1) {
            chain->Remove(outer);
            Msg nested{0, {}};
            chain->Call(nested);
            m.seen.insert(m.seen.end(), nested.seen.begin(), nested.seen.end());
        }
        next(m);
    });
    Msg m{1, {}};
    chain->Call(m);
    EXPECT_EQ(m.seen, (std::vector<std::string>{"outer", "base", "base"}));

    // The owner goes away during its own message.
    chain->Add([&](Msg& msg, const Chain::Next& next) {
        if (msg.id == 2) chain.reset();
        msg.seen.push_back("outer");
        next(msg);
    });
    Msg last{2, {}};
    chain->Call(last);
    EXPECT_EQ(chain, nullptr);
    EXPECT_EQ(last.seen, (std::vector<std::string>{"outer", "base"}));
}
