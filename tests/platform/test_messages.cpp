// The main thread's message queue: the quit message, socket events (1025)
// to the hook, order, a full queue, a hook that keeps posting, posts from
// other threads.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "base/globals.h"
#include "platform/hooks.h"
#include "platform/messages.h"

namespace {

struct Socket_Aufruf {
    uintptr_t socket;
    u32 bits;
};
std::vector<Socket_Aufruf> aufrufe;
void Test_Socket_Event(uintptr_t s, u32 bits) { aufrufe.push_back({s, bits}); }
// A hook that posts a new event for every event it gets.
void Nachlegender_Hook(uintptr_t s, u32 bits) {
    aufrufe.push_back({s, bits});
    W32_Post_Message(0, WM_SOCKET, s + 1, bits);
}

class Nachrichten : public ::testing::Test {
  protected:
    void SetUp() override {
        W32_Nachrichten_Leeren();
        Main_Hooks_Zuruecksetzen();
        Main_Hooks.Socket_Event = Test_Socket_Event;
        aufrufe.clear();
        Quit_Status = QUIT_STATUS_LAEUFT;
    }
    void TearDown() override { SetUp(); }
};

}  // namespace

TEST_F(Nachrichten, SocketEreignisseUndQuitInIhrerReihenfolge) {
    EXPECT_EQ(WM_SOCKET, 1025u);
    ASSERT_TRUE(W32_Post_Message(W32_Hauptfenster, WM_USER + 1, 77, 0x00230011));
    W32_Post_Quit_Message(0);
    W32_Post_Message(0, WM_SOCKET, 78, 0x20);
    W32_Post_Message(0, WM_USER + 7, 79, 1);  // not a socket event: ignored
    EXPECT_EQ(W32_Nachrichten_Abarbeiten(), 4u);
    ASSERT_EQ(aufrufe.size(), 2u);
    EXPECT_EQ(aufrufe[0].socket, 77u);
    EXPECT_EQ(aufrufe[0].bits, 0x11u) << "the error code in the high word is not event bits";
    EXPECT_EQ(aufrufe[1].socket, 78u) << "messages behind the quit message still arrive";
    EXPECT_EQ(aufrufe[1].bits, 0x20u);
    EXPECT_EQ(Quit_Status, QUIT_STATUS_ANGEFORDERT);
    // Quit does not set back a loop that has already been left.
    Quit_Status = QUIT_STATUS_VERLASSEN;
    W32_Post_Quit_Message(0);
    W32_Nachrichten_Abarbeiten();
    EXPECT_EQ(Quit_Status, QUIT_STATUS_VERLASSEN);
    // The window procedure answers 0, also without a hook.
    Main_Hooks.Socket_Event = nullptr;
    EXPECT_EQ(W32_WindowProc(0, WM_SOCKET, 5, 1), 0);
    W32_Post_Message(3, 0x200, 4, 5);
    W32_Nachricht m{};
    ASSERT_TRUE(W32_Peek_Message(&m));
    EXPECT_TRUE(m.fenster == 3u && m.nachricht == 0x200u && m.wparam == 4u && m.lparam == 5);
    EXPECT_FALSE(W32_Peek_Message(&m));
}

TEST_F(Nachrichten, VolleSchlangeLehntAbUndVerliertNichtsVonDemWasDrinIst) {
    for (u32 i = 0; i < W32_NACHRICHTEN_MAX; i++) ASSERT_TRUE(W32_Post_Message(0, WM_SOCKET, i, 1));
    EXPECT_FALSE(W32_Post_Message(0, WM_SOCKET, 12345, 1));
    EXPECT_EQ(W32_Nachrichten_Anzahl(), W32_NACHRICHTEN_MAX);
    W32_Nachrichten_Abarbeiten();
    ASSERT_EQ(aufrufe.size(), W32_NACHRICHTEN_MAX);
    for (u32 i = 0; i < W32_NACHRICHTEN_MAX; i++) ASSERT_EQ(aufrufe[i].socket, i);
    EXPECT_TRUE(W32_Post_Message(0, WM_SOCKET, 1, 1));
}

TEST_F(Nachrichten, EinHookDerImmerNachlegtHaeltDieSchleifeNichtAuf) {
    Main_Hooks.Socket_Event = Nachlegender_Hook;
    W32_Post_Message(0, WM_SOCKET, 0, 1);
    EXPECT_EQ(W32_Nachrichten_Abarbeiten(50), 50u);
    EXPECT_EQ(aufrufe.size(), 50u);
    EXPECT_EQ(W32_Nachrichten_Anzahl(), 1u);  // the rest waits for the next pass
}

TEST_F(Nachrichten, PostenAusAnderenThreads) {
    constexpr int threads = 4, je = 500;
    std::vector<std::thread> t;
    for (int k = 0; k < threads; k++)
        t.emplace_back([k] {
            for (int i = 0; i < je; i++) W32_Post_Message(0, WM_SOCKET, static_cast<uintptr_t>(k), 8);
        });
    u32 gesehen = 0;
    while (gesehen < threads * je) gesehen += W32_Nachrichten_Abarbeiten();
    for (auto& x : t) x.join();
    EXPECT_EQ(gesehen + W32_Nachrichten_Abarbeiten(), static_cast<u32>(threads * je));
    std::vector<int> pro(threads);
    for (auto& a : aufrufe) pro[a.socket] += a.bits == 8;
    EXPECT_EQ(pro, std::vector<int>(threads, je));
}
