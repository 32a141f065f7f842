// The main thread's message queue: the quit message, socket events (1025)
// to the hook, order, a full queue, a hook that keeps posting, posts from
// other threads.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "base/globals.h"
#include "platform/hooks.h"
#include "platform/messages.h"

namespace {

std::string aufrufe;  // "socket:bits " per call of the socket hook
int anzahl = 0;
void Test_Socket_Event(uintptr_t s, u32 bits) {
    if (anzahl++ < 20) aufrufe += std::to_string(s) + ":" + std::to_string(bits) + " ";
}

class Nachrichten : public ::testing::Test {
  protected:
    void SetUp() override {
        W32_Nachrichten_Leeren();
        Main_Set_Hooks({.Socket_Event = Test_Socket_Event});
        aufrufe.clear();
        anzahl = 0;
        Quit_Status = QUIT_STATUS_LAEUFT;
    }
    void TearDown() override { SetUp(); }
};

}  // namespace

TEST_F(Nachrichten, SocketEreignisseUndQuitInIhrerReihenfolge) {
    EXPECT_EQ(WM_SOCKET, 1025u);
    ASSERT_TRUE(W32_Post_Message(W32_Hauptfenster, WM_USER + 1, 77, 0x00230011));  // error code 0x23 in the high word
    W32_Post_Quit_Message(0);
    W32_Post_Message(0, WM_SOCKET, 78, 0x20);
    W32_Post_Message(0, WM_USER + 7, 79, 1);  // not a socket event: ignored
    EXPECT_EQ(W32_Nachrichten_Abarbeiten(), 4u);
    EXPECT_EQ(aufrufe, "77:17 78:32 ") << "only the event bits; messages behind the quit message still arrive";
    EXPECT_EQ(Quit_Status, QUIT_STATUS_ANGEFORDERT);
    Quit_Status = QUIT_STATUS_VERLASSEN;
    W32_Post_Quit_Message(0);
    W32_Nachrichten_Abarbeiten();
    EXPECT_EQ(Quit_Status, QUIT_STATUS_VERLASSEN) << "quit does not set back a loop that has been left";
    Main_Hooks_Zuruecksetzen();
    EXPECT_EQ(W32_WindowProc(0, WM_SOCKET, 5, 1), 0) << "the window procedure answers 0, also without a hook";
    W32_Post_Message(3, 0x200, 4, 5);
    W32_Nachricht m{};
    ASSERT_TRUE(W32_Peek_Message(&m));
    EXPECT_TRUE(m.fenster == 3u && m.nachricht == 0x200u && m.wparam == 4u && m.lparam == 5);
    EXPECT_FALSE(W32_Peek_Message(&m));
}

TEST_F(Nachrichten, VolleSchlangeLehntAbUndVerliertNichtsVonDemWasDrinIst) {
    for (u32 i = 0; i < W32_NACHRICHTEN_MAX; i++) ASSERT_TRUE(W32_Post_Message(0, WM_SOCKET, i % 10, 1));
    EXPECT_FALSE(W32_Post_Message(0, WM_SOCKET, 12345, 1));
    EXPECT_EQ(W32_Nachrichten_Anzahl(), W32_NACHRICHTEN_MAX);
    EXPECT_EQ(W32_Nachrichten_Abarbeiten(), W32_NACHRICHTEN_MAX);
    EXPECT_EQ(anzahl, static_cast<int>(W32_NACHRICHTEN_MAX));
    EXPECT_TRUE(aufrufe.starts_with("0:1 1:1 2:1 3:1 4:1 5:1 6:1 7:1 8:1 9:1 0:1 "));
    EXPECT_TRUE(W32_Post_Message(0, WM_SOCKET, 1, 1));
}

TEST_F(Nachrichten, EinHookDerImmerNachlegtHaeltDieSchleifeNichtAuf) {
    {
        Main_Hook_Tabelle h = Main_Hooks;
        h.Socket_Event = [](uintptr_t s, u32 bits) {
            anzahl++;
            W32_Post_Message(0, WM_SOCKET, s + 1, bits);
        };
        Main_Set_Hooks(h);
    }
    W32_Post_Message(0, WM_SOCKET, 0, 1);
    EXPECT_EQ(W32_Nachrichten_Abarbeiten(50), 50u);
    EXPECT_EQ(anzahl, 50);
    EXPECT_EQ(W32_Nachrichten_Anzahl(), 1u);  // the rest waits for the next pass
}

TEST_F(Nachrichten, PostenAusAnderenThreads) {
    static std::atomic<int> pro[4];
    {
        Main_Hook_Tabelle h = Main_Hooks;
        h.Socket_Event = [](uintptr_t s, u32 bits) { pro[s % 4] += bits == 8; };
        Main_Set_Hooks(h);
    }
    std::vector<std::thread> t;
    for (int k = 0; k < 4; k++)
        t.emplace_back([k] {
            for (int i = 0; i < 500; i++) W32_Post_Message(0, WM_SOCKET, static_cast<uintptr_t>(k), 8);
        });
    u32 gesehen = 0;
    while (gesehen < 2000) gesehen += W32_Nachrichten_Abarbeiten();
    for (auto& x : t) x.join();
    EXPECT_EQ(gesehen + W32_Nachrichten_Abarbeiten(), 2000u);
    for (int k = 0; k < 4; k++) EXPECT_EQ(pro[k], 500) << k;
}
