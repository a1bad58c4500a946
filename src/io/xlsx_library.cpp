// The functions of libxlsxwriter the workbook writer calls, served from the library opened on the first
// workbook: every other run is spared it and the libcrypto it loads. One line of the table per function:
// its result, name, parameters and the arguments passed on.
#include "io/xlsx_library.h"

#include <xlsxwriter.h>

#include "base/lazy_library.h"

#define TAVREL_XLSX_FUNCTIONS(X)                                                                                  \
  X(lxw_workbook*, workbook_new, (const char* path), (path))                                                      \
  X(lxw_worksheet*, workbook_add_worksheet, (lxw_workbook * b, const char* name), (b, name))                      \
  X(lxw_format*, workbook_add_format, (lxw_workbook * b), (b))                                                    \
  X(lxw_error, workbook_close, (lxw_workbook * b), (b))                                                           \
  X(lxw_error, worksheet_write_string, (lxw_worksheet * s, lxw_row_t r, lxw_col_t c, const char* t, lxw_format* f), \
    (s, r, c, t, f))                                                                                              \
  X(lxw_error, worksheet_write_number, (lxw_worksheet * s, lxw_row_t r, lxw_col_t c, double v, lxw_format* f),    \
    (s, r, c, v, f))                                                                                              \
  X(lxw_error, worksheet_write_blank, (lxw_worksheet * s, lxw_row_t r, lxw_col_t c, lxw_format* f), (s, r, c, f)) \
  X(lxw_error, worksheet_set_row, (lxw_worksheet * s, lxw_row_t r, double height, lxw_format* f), (s, r, height, f)) \
  X(lxw_error, worksheet_set_column,                                                                              \
    (lxw_worksheet * s, lxw_col_t first, lxw_col_t last, double width, lxw_format* f), (s, first, last, width, f)) \
  X(lxw_error, worksheet_merge_range,                                                                             \
    (lxw_worksheet * s, lxw_row_t r1, lxw_col_t c1, lxw_row_t r2, lxw_col_t c2, const char* t, lxw_format* f),    \
    (s, r1, c1, r2, c2, t, f))                                                                                    \
  X(void, worksheet_freeze_panes, (lxw_worksheet * s, lxw_row_t r, lxw_col_t c), (s, r, c))                       \
  X(void, worksheet_set_landscape, (lxw_worksheet * s), (s))                                                      \
  X(void, worksheet_set_paper, (lxw_worksheet * s, uint8_t paper), (s, paper))                                    \
  X(lxw_error, worksheet_repeat_rows, (lxw_worksheet * s, lxw_row_t first, lxw_row_t last), (s, first, last))     \
  X(void, worksheet_fit_to_pages, (lxw_worksheet * s, uint16_t width, uint16_t height), (s, width, height))       \
  X(void, format_set_font_name, (lxw_format * f, const char* name), (f, name))                                    \
  X(void, format_set_font_size, (lxw_format * f, double size), (f, size))                                         \
  X(void, format_set_bold, (lxw_format * f), (f))                                                                 \
  X(void, format_set_num_format, (lxw_format * f, const char* format), (f, format))                               \
  X(void, format_set_align, (lxw_format * f, uint8_t align), (f, align))                                          \
  X(void, format_set_text_wrap, (lxw_format * f), (f))                                                            \
  X(void, format_set_border, (lxw_format * f, uint8_t style), (f, style))                                         \
  X(char*, lxw_strerror, (lxw_error e), (e))

TAVREL_LAZY_LIBRARY("libxlsxwriter.so.4", TAVREL_XLSX_FUNCTIONS)

std::string XlsxwriterMissing() {
  return ThisLibrary().Load() ? std::string() : ThisLibrary().Why();
}
