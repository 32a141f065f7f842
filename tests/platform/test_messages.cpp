// The main thread's message queue: the quit message, socket events to the
// hook, a full queue, posts from other threads.
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
std::vector<Socket_Aufruf> socket_aufrufe;
void Test_Socket_Event(uintptr_t s, u32 bits) { socket_aufrufe.push_back({s, bits}); }

class Nachrichten : public ::testing::Test {
  protected:
    void SetUp() override {
        W32_Nachrichten_Leeren();
        Main_Hooks_Zuruecksetzen();
        Main_Hooks.Socket_Event = Test_Socket_Event;
        socket_aufrufe.clear();
        Quit_Status = QUIT_STATUS_LAEUFT;
    }
    void TearDown() override {
        Main_Hooks_Zuruecksetzen();
        W32_Nachrichten_Leeren();
        Quit_Status = QUIT_STATUS_LAEUFT;
    }
};

}  // namespace

TEST_F(Nachrichten, QuitSetztDenBeendenStatusAufEins) {
    W32_Post_Quit_Message(0);
    EXPECT_EQ(W32_Nachrichten_Abarbeiten(), 1u);
    EXPECT_EQ(Quit_Status, QUIT_STATUS_ANGEFORDERT);
}

TEST_F(Nachrichten, QuitSetztEinenSchonVerlassenenStatusNichtZurueck) {
    Quit_Status = QUIT_STATUS_VERLASSEN;
    W32_Post_Quit_Message(0);
    W32_Nachrichten_Abarbeiten();
    EXPECT_EQ(Quit_Status, QUIT_STATUS_VERLASSEN);
}

TEST_F(Nachrichten, SocketEreignisErreichtDenHookMitDenUnteren16Bits) {
    EXPECT_EQ(WM_SOCKET, 1025u);
    ASSERT_TRUE(W32_Post_Message(W32_Hauptfenster, WM_USER + 1, 77, 0x00230011));
    ASSERT_TRUE(W32_Post_Message(W32_Hauptfenster, WM_USER + 1, 78, 0x20));
    W32_Nachrichten_Abarbeiten();
    ASSERT_EQ(socket_aufrufe.size(), 2u);
    EXPECT_EQ(socket_aufrufe[0].socket, 77u);
    EXPECT_EQ(socket_aufrufe[0].bits, 0x11u);  // the error code in the high word is not event bits
    EXPECT_EQ(socket_aufrufe[1].socket, 78u);
    EXPECT_EQ(socket_aufrufe[1].bits, 0x20u);
    EXPECT_EQ(Quit_Status, QUIT_STATUS_LAEUFT);
}

TEST_F(Nachrichten, FensterprozedurGibtNullUndIgnoriertFremdes) {
    EXPECT_EQ(W32_WindowProc(0, WM_SOCKET, 5, 1), 0);
    EXPECT_EQ(W32_WindowProc(0, WM_USER + 7, 5, 1), 0);
    ASSERT_EQ(socket_aufrufe.size(), 1u);
    // With the hook cleared nothing is called and nothing breaks.
    Main_Hooks.Socket_Event = nullptr;
    EXPECT_EQ(W32_WindowProc(0, WM_SOCKET, 5, 1), 0);
}

TEST_F(Nachrichten, ReihenfolgeBleibtErhalten) {
    for (u32 i = 0; i < 10; i++) W32_Post_Message(0, WM_SOCKET, i, 1);
    W32_Post_Quit_Message(0);
    W32_Post_Message(0, WM_SOCKET, 99, 1);
    W32_Nachrichten_Abarbeiten();
    ASSERT_EQ(socket_aufrufe.size(), 11u);
    for (u32 i = 0; i < 10; i++) EXPECT_EQ(socket_aufrufe[i].socket, i);
    EXPECT_EQ(socket_aufrufe[10].socket, 99u);  // messages behind the quit message still arrive
    EXPECT_EQ(Quit_Status, QUIT_STATUS_ANGEFORDERT);
}

TEST_F(Nachrichten, VolleSchlangeLehntAbUndVerliertNichtsVonDemWasDrinIst) {
    for (u32 i = 0; i < W32_NACHRICHTEN_MAX; i++) ASSERT_TRUE(W32_Post_Message(0, WM_SOCKET, i, 1));
    EXPECT_FALSE(W32_Post_Message(0, WM_SOCKET, 12345, 1));
    EXPECT_EQ(W32_Nachrichten_Anzahl(), W32_NACHRICHTEN_MAX);
    W32_Nachrichten_Abarbeiten();
    ASSERT_EQ(socket_aufrufe.size(), W32_NACHRICHTEN_MAX);
    EXPECT_EQ(socket_aufrufe.back().socket, W32_NACHRICHTEN_MAX - 1);
    EXPECT_TRUE(W32_Post_Message(0, WM_SOCKET, 1, 1));
}

namespace {
// A socket hook that posts a new event for every event it gets.
void Nachlegender_Hook(uintptr_t s, u32 bits) {
    socket_aufrufe.push_back({s, bits});
    W32_Post_Message(0, WM_SOCKET, s + 1, bits);
}
}  // namespace

TEST_F(Nachrichten, EinHookDerImmerNachlegtHaeltDieSchleifeNichtAuf) {
    Main_Hooks.Socket_Event = Nachlegender_Hook;
    W32_Post_Message(0, WM_SOCKET, 0, 1);
    EXPECT_EQ(W32_Nachrichten_Abarbeiten(50), 50u);
    EXPECT_EQ(socket_aufrufe.size(), 50u);
    EXPECT_EQ(W32_Nachrichten_Anzahl(), 1u);  // the rest waits for the next pass
}

TEST_F(Nachrichten, PostenAusAnderenThreads) {
    constexpr int threads = 4, je = 500;
    std::vector<std::thread> t;
    for (int k = 0; k < threads; k++)
        t.emplace_back([k] {
            for (int i = 0; i < je; i++) W32_Post_Message(0, WM_SOCKET, static_cast<uintptr_t>(k), 1);
        });
    u32 gesehen = 0;
    while (gesehen < threads * je) gesehen += W32_Nachrichten_Abarbeiten();
    for (auto& x : t) x.join();
    gesehen += W32_Nachrichten_Abarbeiten();
    EXPECT_EQ(gesehen, static_cast<u32>(threads * je));
    std::vector<int> pro(threads);
    for (auto& a : socket_aufrufe) pro[a.socket]++;
    for (int k = 0; k < threads; k++) EXPECT_EQ(pro[k], je);
}

TEST_F(Nachrichten, PeekNimmtGenauEine) {
    W32_Post_Message(3, 0x200, 4, 5);
    W32_Nachricht m{};
    ASSERT_TRUE(W32_Peek_Message(&m));
    EXPECT_EQ(m.fenster, 3u);
    EXPECT_EQ(m.nachricht, 0x200u);
    EXPECT_EQ(m.wparam, 4u);
    EXPECT_EQ(m.lparam, 5);
    EXPECT_FALSE(W32_Peek_Message(&m));
}
