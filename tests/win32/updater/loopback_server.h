// A one-connection HTTP peer on 127.0.0.1 for the socket client's tests: it
// records what arrives until the request's blank line, then plays a script of
// bytes and pauses, and closes (or holds the connection open when told to).
#pragma once

#include <winsock2.h>

#include "framework/ScopedHandles.h"

#include <string>
#include <vector>

class LoopbackServer {
public:
    struct Step {
        std::string bytes;   // sent as they are
        DWORD pauseMs = 0;   // then a pause
    };

    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // Starts serving one connection with these steps; holdOpenMs keeps the
    // connection open that long after the last step (a stalled peer).
    void Serve(std::vector<Step> steps, DWORD holdOpenMs = 0);
    int Port() const { return m_nPort; }
    std::string Url(const std::string& path) const;
    // Waits for the connection to end; what the client sent before its blank line.
    std::string Request();

private:
    static unsigned __stdcall Run(void* self);

    WSADATA m_wsa{};
    SOCKET m_listener = INVALID_SOCKET;
    int m_nPort = 0;
    std::vector<Step> m_steps;
    DWORD m_nHoldOpenMs = 0;
    std::string m_strRequest;
    fw::ScopedHandle m_thread;
};
