// Times a list view of N rows under Wine, with and without owner data, in each
// mode: x86_64-w64-mingw32-g++-posix -O2 -static listview_modes.cpp -lcomctl32 -lgdi32
//   wine a.exe report|list|icon o|n <rows> [x: no auto-arrange]
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <string>
static int gCount = 200000;
static wchar_t buf[64];
static LARGE_INTEGER f;
static double now() { LARGE_INTEGER c; QueryPerformanceCounter(&c); return c.QuadPart * 1000.0 / f.QuadPart; }
static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NOTIFY) {
    NMHDR* h = (NMHDR*)lp;
    if (h->code == LVN_GETDISPINFOW) { NMLVDISPINFOW* d = (NMLVDISPINFOW*)lp;
      if (d->item.mask & LVIF_TEXT) { swprintf(d->item.pszText, d->item.cchTextMax, L"Item %d", d->item.iItem); }
      if (d->item.mask & LVIF_IMAGE) d->item.iImage = I_IMAGENONE; }
  }
  return DefWindowProcW(w, m, wp, lp);
}
int main(int argc, char** argv) {
  QueryPerformanceFrequency(&f);
  InitCommonControls();
  DWORD type = argc > 1 && argv[1][0] == 'i' ? LVS_ICON : argc > 1 && argv[1][0] == 'l' ? LVS_LIST : LVS_REPORT;
  bool owner = !(argc > 2 && argv[2][0] == 'n');
  if (argc > 3) gCount = atoi(argv[3]);
  WNDCLASSW wc{}; wc.lpfnWndProc = proc; wc.lpszClassName = L"od"; RegisterClassW(&wc);
  HWND top = CreateWindowW(L"od", L"od", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 400, 0, 0, 0, 0);
  HWND lv = CreateWindowW(WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | type | (argc > 4 ? 0 : LVS_AUTOARRANGE) | LVS_SHOWSELALWAYS | (owner ? LVS_OWNERDATA : 0), 0, 0, 380, 360, top, (HMENU)1, 0, 0);
  LVCOLUMNW c{}; c.mask = LVCF_WIDTH; c.cx = 300; SendMessageW(lv, LVM_INSERTCOLUMNW, 0, (LPARAM)&c);
  double t0 = now();
  SendMessageW(lv, WM_SETREDRAW, FALSE, 0);
  if (owner) SendMessageW(lv, LVM_SETITEMCOUNT, gCount, 0);
  else for (int i = 0; i < gCount; ++i) { LVITEMW it{}; it.mask = LVIF_TEXT; it.iItem = i; swprintf(buf, 64, L"Item %d", i); it.pszText = buf; SendMessageW(lv, LVM_INSERTITEMW, 0, (LPARAM)&it); }
  SendMessageW(lv, WM_SETREDRAW, TRUE, 0);
  double t1 = now();
  UpdateWindow(top); RedrawWindow(lv, 0, 0, RDW_UPDATENOW | RDW_INVALIDATE);
  double t2 = now();
  LVITEMW st{}; st.stateMask = LVIS_SELECTED | LVIS_FOCUSED; st.state = st.stateMask; SendMessageW(lv, LVM_SETITEMSTATE, 0, (LPARAM)&st);
  SendMessageW(lv, LVM_ENSUREVISIBLE, gCount - 1, FALSE); RedrawWindow(lv, 0, 0, RDW_UPDATENOW | RDW_INVALIDATE);
  double t3 = now();
  DestroyWindow(top);
  double t4 = now();
  printf("%s %s %d: fill %.0f ms, paint %.0f ms, select+end %.0f ms, destroy %.0f ms\n", argc > 1 ? argv[1] : "report", owner ? "ownerdata" : "items", gCount, t1 - t0, t2 - t1, t3 - t2, t4 - t3);
}
