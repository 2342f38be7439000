#pragma once
// The maker's addresses. They all live under the reserved domain "example", which never
// resolves to a real host: the program fetches its news page from one of them and shows the
// page to the user, so no address here may ever point at somebody else's server by accident.

namespace core {

// The maker's home page: the web-site label shows and opens it.
inline constexpr wchar_t kWebSiteAddress[] = L"https://halvarin.example/";
// The product's own page on that site: the tray menu's "Web site" item opens it.
inline constexpr wchar_t kProductPageAddress[] = L"https://halvarin.example/halvarin/";
inline constexpr wchar_t kSupportAddress[] = L"https://halvarin.example/support/";
// The news page, over plain HTTP.
inline constexpr wchar_t kNewsAddress[] = L"http://halvarin.example/update/News-Halvarin.html";
// The messenger channel: the short form the label shows, and the full address it opens. The
// short form is the full one without its scheme, so the label shows where a click goes.
inline constexpr wchar_t kTelegramShortAddress[] = L"t.me.example/halvarin";
inline constexpr wchar_t kTelegramAddress[] = L"https://t.me.example/halvarin";

}  // namespace core
