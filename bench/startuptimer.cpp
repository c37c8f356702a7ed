// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

// Times programs from exec to their first window being mapped on the X
// server in DISPLAY, alternating between them run by run.
//   bench_startup RUNS PROGRAM...
// prints, per program: median, min and max in milliseconds.
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double timeToMap(const char *program)
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "cannot connect to the X server\n");
        std::exit(2);
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    double elapsed = -1;
    while (xcb_generic_event_t *event = xcb_wait_for_event(connection)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        std::free(event);
        if (mapped) {
            elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now()
                                                                - start)
                              .count();
            break;
        }
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    return elapsed;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup RUNS PROGRAM...\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<std::vector<double>> times(argc - 2);
    for (int run = 0; run < runs; ++run) {
        for (int p = 2; p < argc; ++p)
            times[p - 2].push_back(timeToMap(argv[p]));
    }
    for (int p = 2; p < argc; ++p) {
        std::vector<double> &t = times[p - 2];
        std::sort(t.begin(), t.end());
        std::printf("%s %.1f %.1f %.1f\n", argv[p], t[t.size() / 2], t.front(), t.back());
    }
    return 0;
}
