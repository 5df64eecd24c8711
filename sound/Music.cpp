#include "sound/Music.h"

#include "sound/SoundManager.h"

void StopGameMusic() { SoundManager::GetInstance().Stop(kGameMusicSlot); }

void StartTitleMusic() { SoundManager::GetInstance().Play(kTitleMusicSlot, SoundManager::kMusicVolume, true); }

void StopTitleMusic() { SoundManager::GetInstance().Stop(kTitleMusicSlot); }

void StartGameMusic() { SoundManager::GetInstance().Play(kGameMusicSlot, SoundManager::kMusicVolume, true); }
