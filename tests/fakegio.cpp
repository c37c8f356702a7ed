// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

// A GIO without g_object_unref, loaded in place of the real one by the test of the editor's
// fallback: Palvorin must call none of it.

#include <cstdlib>

extern "C" {
void *g_app_info_get_default_for_type(const char *, int)
{
    std::abort();
}
void *g_file_new_for_path(const char *)
{
    std::abort();
}
int g_app_info_launch(void *, void *, void *, void *)
{
    std::abort();
}
void g_clear_error(void *)
{
    std::abort();
}
}
