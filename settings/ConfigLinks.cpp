// The settings dialog's web addresses, all below one base address set at build time.
#include "settings/ConfigLinks.h"

#ifndef LUMI_WEB_BASE
#error "LUMI_WEB_BASE (the base of the maker's web addresses) is set by settings/CMakeLists.txt"
#endif

namespace {

std::string_view PagePath(TLinkHandler handler) {
  switch (handler) {
    case TLinkHandler::PreviewClick: return "en/gallery/lumivale-nature/";
    case TLinkHandler::Image3Click: return "freeware/";
    case TLinkHandler::CodingCreditClick: return "";
    case TLinkHandler::Image5Click: return "photoblog/";
    case TLinkHandler::Image6Click: return "wallpapers/";
    case TLinkHandler::Image7Click: return "freeware/screensavers/";
    case TLinkHandler::Image8Click: return "freeware/programs/";
    case TLinkHandler::PhotosCreditClick: return "en/";
    case TLinkHandler::DonateButtonClick: return "en/donate/";
    case TLinkHandler::Image13Click: return "freeware/programs/unpack/";
    case TLinkHandler::Image12Click: return "gallery/coastline/";
    case TLinkHandler::Image11Click: return "en/gallery/highlands/";
  }
  return "";
}

}  // namespace

std::string WebBaseAddress() {
  std::string base = LUMI_WEB_BASE;
  if (base.empty() || base.back() != '/') base += '/';
  return base;
}

std::string LinkAddress(TLinkHandler handler) { return WebBaseAddress() + std::string(PagePath(handler)); }
