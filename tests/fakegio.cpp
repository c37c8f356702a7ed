// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

// A GIO without g_object_unref, loaded in place of the real one by the test of the editor's
// fallback: Palvorin must call none of it. Its names are data, so a call to any of them crashes.

extern "C" {
char g_app_info_get_default_for_type, g_file_new_for_path, g_app_info_launch, g_clear_error;
}
