// CHttpSocket: the updater's own HTTP/1.1 client over one blocking IPv4 TCP
// socket. It sends one GET request, reads the response header byte by byte up
// to its blank line (so no body byte is taken), answers header look-ups, and
// hands the body to its caller in chunks. No redirects, no chunked decoding,
// no status check: the download worker drives it and redirects are followed
// earlier. One object serves one request. Winsock must be started first.
// Every wait is bounded (look-up and connect, the whole header, each receive) and watches
// the stop flag, so that a worker told to stop ends within a tenth of a second.
#pragma once

#include <winsock2.h>

#include "logic/HttpRequestText.h"
#include "logic/HttpResponseHeader.h"

#include <atomic>

class CHttpSocket {
public:
    CHttpSocket();
    virtual ~CHttpSocket();
    CHttpSocket(const CHttpSocket&) = delete;
    CHttpSocket& operator=(const CHttpSocket&) = delete;

    // A stream socket for TCP; false when already connected or when it cannot be made.
    bool CreateSocket();
    // Non-zero *stop makes every wait give up at once (the object keeps the pointer).
    void SetStopFlag(const std::atomic<int>* stop) { m_pStop = stop; }
    // Resolves host (a name or dotted-decimal text) and connects to its first
    // address, both within timeoutMs in all (HostLookup.h); a connected object
    // is closed first.
    bool Connect(const char* host, int port, int timeoutMs = kConnectTimeoutMs);
    // Composes the request into the request buffer; null (and out length 0)
    // when it would not fit there, which the caller counts as a failure.
    const char* BuildGetRequest(const char* host, const char* path, int& length, const char* cookie = nullptr,
                                const char* referer = nullptr, long rangeFrom = 0, long rangeTo = 0);
    // Sends data (null: the request buffer; length 0: its string length), then
    // reads the response header. False when not connected or the send fails.
    bool SendRequest(const char* data = nullptr, int length = 0);
    // One recv of at most size bytes, once data came within the receive time
    // limit; on 0 or less (closed, error, time-out, stop) the object is closed.
    // 0 when not connected.
    int Receive(char* buffer, int size);
    bool Close();
    // SO_SNDTIMEO when forSend, else SO_RCVTIMEO and the receive time limit.
    bool SetTimeout(int milliseconds, bool forSend);
    // Reads the header on the first call, within kHeaderTimeoutMs in all (a
    // host that trickles it is given up); returns the stored header every time.
    const char* ReadResponseHeader(int& length);
    // The value of header name into value (cut to valueSize - 1, NUL-terminated);
    // its length, or -1 before a header was read or when the name does not occur.
    int GetHeaderValue(const char* name, char* value, int valueSize) const;

    static constexpr int kConnectTimeoutMs = 15000;
    static constexpr int kHeaderTimeoutMs = 30000;

private:
    // Whether data can be read within milliseconds; false on time-out, error or stop.
    bool WaitReadable(int milliseconds) const;
    // One recv on the non-blocking socket, waiting for data until deadline (a
    // GetTickCount value); recv's result, SOCKET_ERROR on time-out or stop.
    int ReceiveWithin(char* buffer, int size, DWORD deadline) const;
    bool StopRequested() const { return m_pStop && *m_pStop; }

    char m_szRequest[vantor::kHttpRequestBufferSize];
    vantor::ResponseHeaderBuffer m_header;
    int m_nPort = 80;
    bool m_bConnected = false;
    SOCKET m_socket = 0;
    in_addr m_hostAddress{};  // the first address the last look-up found
    bool m_bHeaderRead = false;
    int m_nHeaderLength = -1;
    int m_nReceiveTimeoutMs = 15000;
    const std::atomic<int>* m_pStop = nullptr;
};
