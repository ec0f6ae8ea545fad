// Resource numbers of the pictures stored with the settings dialog. The resource script includes
// this file too, so the numbers are plain macros behind a classic include guard.
#ifndef LUMI_SETTINGS_CONFIG_RESOURCES_H
#define LUMI_SETTINGS_CONFIG_RESOURCES_H

#define LinksBannerResource 300
#define TipsBannerResource 301
#define LogoBitmapResource 302

#endif
