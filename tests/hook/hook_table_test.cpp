#include "hook/hook_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

namespace scr::hook {
namespace {

// The system as one process of the hook library sees it.
class TFakeSystem final : public THookSystem {
 public:
  using TSend = std::tuple<uint32_t, uint32_t, uintptr_t, intptr_t>;

  uintptr_t SetJournalHook() override {
    ++hooksSet;
    if (refuse) return 0;
    live = 0x5000 + static_cast<uintptr_t>(hooksSet);
    return live;
  }
  void RemoveJournalHook(uintptr_t hook) override {
    removed.push_back(hook);
    if (hook == live) live = 0;
  }
  intptr_t CallNextHook(uintptr_t hook, int32_t code, uintptr_t, intptr_t) override {
    nextCalls.push_back({hook, code});
    return 77;
  }
  intptr_t Send(uint32_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    sends.emplace_back(window, message, wParam, lParam);
    if (onSend) onSend(window);
    auto it = answers.find(window);
    return it == answers.end() ? 0 : it->second;
  }
  void SetLastError(uint32_t code) override { lastError = code; }

  bool refuse = false;
  int hooksSet = 0;
  uintptr_t live = 0;
  std::vector<uintptr_t> removed;
  std::vector<std::pair<uintptr_t, int32_t>> nextCalls;
  std::vector<TSend> sends;
  std::map<uint32_t, intptr_t> answers;
  std::function<void(uint32_t)> onSend;
  uint32_t lastError = 0;
};

std::vector<uint32_t> Windows(const THookTable& table) {
  std::vector<uint32_t> out;
  for (int32_t i = 0; i < table.Count; ++i) out.push_back(table.Entries[i].Window);
  return out;
}

struct HookTable : ::testing::Test {
  THookTable table{};
  TFakeSystem system;
  THookState state{table, system};
};

TEST_F(HookTable, EventsGoToTheEntriesInSlotOrderUntilOneAnswers) {
  ASSERT_EQ(state.InstallHook(0x100, 1960), 0);
  ASSERT_EQ(state.InstallHook(0x200, 1961), 1);

  // The first answers 0: the second receives the event too, with the same parameters.
  EXPECT_EQ(state.HookProc(0, 9, 0x1234), 0);
  EXPECT_EQ(system.sends, (std::vector<TFakeSystem::TSend>{{0x100, 1960, 9, 0x1234}, {0x200, 1961, 9, 0x1234}}));

  // The first answers non-zero: the second hears nothing, the hook answers 1.
  system.sends.clear();
  system.answers[0x100] = 5;
  EXPECT_EQ(state.HookProc(0, 0, 0x99), 1);
  EXPECT_EQ(system.sends, (std::vector<TFakeSystem::TSend>{{0x100, 1960, 0, 0x99}}));

  // A call without an event record (a system-modal notice) is forwarded all the same.
  system.sends.clear();
  system.answers.clear();
  EXPECT_EQ(state.HookProc(4, 0, 0), 0);
  EXPECT_EQ(system.sends.size(), 2u);
  EXPECT_TRUE(system.nextCalls.empty());

  // Negative codes go to the next hook only, and its answer is returned.
  system.sends.clear();
  EXPECT_EQ(state.HookProc(-1, 3, 4), 77);
  EXPECT_TRUE(system.sends.empty());
  ASSERT_EQ(system.nextCalls.size(), 1u);
  EXPECT_EQ(system.nextCalls[0].first, state.HookHandle());
}

TEST_F(HookTable, RemovingMovesTheLastEntryIntoTheFreedSlot) {
  state.InstallHook(0x100, 1960);
  state.InstallHook(0x200, 1961);
  state.InstallHook(0x300, 1962);

  EXPECT_EQ(state.UninstallHook(0x100), 1);
  EXPECT_EQ(Windows(table), (std::vector<uint32_t>{0x300, 0x200}));
  EXPECT_EQ(table.Entries[0].Message, 1962u);

  // The last entry goes without moving anything; a new entry takes the next free slot.
  EXPECT_EQ(state.UninstallHook(0x200), 1);
  EXPECT_EQ(Windows(table), (std::vector<uint32_t>{0x300}));
  EXPECT_EQ(state.InstallHook(0x400, 1960), 1);

  // A window entered twice loses its first entry only.
  EXPECT_EQ(state.InstallHook(0x300, 7), 2);
  EXPECT_EQ(state.UninstallHook(0x300), 1);
  EXPECT_EQ(Windows(table), (std::vector<uint32_t>{0x300, 0x400}));
  EXPECT_EQ(table.Entries[0].Message, 7u);
}

TEST_F(HookTable, AFullTableRefusesTheNextWindowAndStaysAsItWas) {
  for (uint32_t i = 0; i < 64; ++i) ASSERT_EQ(state.InstallHook(0x1000 + i, 1960), static_cast<int32_t>(i));
  THookTable before;
  std::memcpy(&before, &table, sizeof table);

  EXPECT_EQ(state.InstallHook(0x9999, 1960), -1);
  EXPECT_EQ(system.lastError, kErrorNotEnoughMemory);
  EXPECT_EQ(std::memcmp(&before, &table, sizeof table), 0);
  EXPECT_EQ(system.hooksSet, 1);

  // Once a slot is free again the table takes a window.
  EXPECT_EQ(state.UninstallHook(0x1000), 1);
  EXPECT_EQ(state.InstallHook(0x9999, 1960), 63);
}

TEST_F(HookTable, RemovingAnUnknownWindowReportsAnInvalidHandle) {
  state.InstallHook(0x100, 1960);
  EXPECT_EQ(state.UninstallHook(0x777), 0);
  EXPECT_EQ(system.lastError, kErrorInvalidHandle);
  EXPECT_EQ(Windows(table), (std::vector<uint32_t>{0x100}));

  // Also on an empty table, and the hook is not touched.
  THookTable empty{};
  TFakeSystem other;
  THookState fresh(empty, other);
  EXPECT_EQ(fresh.UninstallHook(0x100), 0);
  EXPECT_EQ(other.lastError, kErrorInvalidHandle);
  EXPECT_TRUE(other.removed.empty());
}

TEST_F(HookTable, TheHookComesWithTheFirstEntryAndGoesWithTheLast) {
  EXPECT_EQ(state.HookHandle(), 0u);
  state.InstallHook(0x100, 1960);
  const uintptr_t hook = state.HookHandle();
  EXPECT_NE(hook, 0u);
  state.InstallHook(0x200, 1960);
  EXPECT_EQ(system.hooksSet, 1);

  state.UninstallHook(0x100);
  EXPECT_TRUE(system.removed.empty());
  state.UninstallHook(0x200);
  EXPECT_EQ(system.removed, std::vector<uintptr_t>{hook});
  EXPECT_EQ(state.HookHandle(), 0u);

  // The next entry installs a new hook.
  state.InstallHook(0x300, 1960);
  EXPECT_EQ(system.hooksSet, 2);
  EXPECT_NE(state.HookHandle(), 0u);
}

TEST_F(HookTable, ARefusedHookMakesNoEntry) {
  system.refuse = true;
  EXPECT_EQ(state.InstallHook(0x100, 1960), -1);
  EXPECT_EQ(table.Count, 0);
  EXPECT_EQ(state.HookHandle(), 0u);

  // A later attempt asks the system again.
  system.refuse = false;
  EXPECT_EQ(state.InstallHook(0x100, 1960), 0);
  EXPECT_EQ(system.hooksSet, 2);
}

TEST_F(HookTable, ProcessesShareTheTableButEachHasItsOwnHook) {
  TFakeSystem systemB;
  THookState processB(table, systemB);

  EXPECT_EQ(state.InstallHook(0x100, 1960), 0);
  EXPECT_EQ(processB.InstallHook(0x200, 1960), 1);  // sees the first process's entry
  EXPECT_EQ(processB.InstallHook(0x300, 1960), 2);
  EXPECT_EQ(system.hooksSet, 1);
  EXPECT_EQ(systemB.hooksSet, 1);

  // The second process removes the first one's window: its last entry moves up.
  EXPECT_EQ(processB.UninstallHook(0x100), 1);
  EXPECT_EQ(Windows(table), (std::vector<uint32_t>{0x300, 0x200}));
  EXPECT_EQ(state.UninstallHook(0x100), 0);
  EXPECT_EQ(system.lastError, kErrorInvalidHandle);

  // Each process's hook forwards to every window in the table.
  state.HookProc(0, 0, 1);
  EXPECT_EQ(system.sends.size(), 2u);

  // Whichever process removes the last entry removes its own hook only.
  EXPECT_EQ(state.UninstallHook(0x200), 1);
  EXPECT_EQ(state.UninstallHook(0x300), 1);
  EXPECT_EQ(system.removed.size(), 1u);
  EXPECT_TRUE(systemB.removed.empty());
  EXPECT_NE(processB.HookHandle(), 0u);
}

TEST_F(HookTable, AReceiverThatRemovesItselfEndsNoForwardingOutsideTheTable) {
  state.InstallHook(0x100, 1960);
  state.InstallHook(0x200, 1960);
  state.InstallHook(0x300, 1960);
  system.onSend = [&](uint32_t window) {
    if (window == 0x100) state.UninstallHook(0x100);
  };
  EXPECT_EQ(state.HookProc(0, 0, 1), 0);
  // 0x300 moved into slot 0 after it was read; the loop then sends to slot 1 and stops
  // at the new count instead of reading the freed last slot.
  std::vector<uint32_t> sent;
  for (const auto& s : system.sends) sent.push_back(std::get<0>(s));
  EXPECT_EQ(sent, (std::vector<uint32_t>{0x100, 0x200}));
}

TEST_F(HookTable, ACountOutsideTheTableIsNotTrusted) {
  // Any process that loads the library can write the shared table.
  table.Count = 1000;
  EXPECT_EQ(state.InstallHook(0x100, 1960), -1);
  EXPECT_EQ(system.lastError, kErrorNotEnoughMemory);
  EXPECT_EQ(state.HookProc(0, 0, 1), 0);
  EXPECT_EQ(system.sends.size(), 64u);
  EXPECT_EQ(state.UninstallHook(0x100), 0);

  table.Count = -5;
  EXPECT_EQ(state.InstallHook(0x100, 1960), 0);
  EXPECT_EQ(table.Count, 1);
}

}  // namespace
}  // namespace scr::hook
