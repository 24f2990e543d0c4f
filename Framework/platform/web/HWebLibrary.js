// What the program's JavaScript needs beyond what Emscripten includes by itself: SDL's audio
// waits for the page's audio to be resumed by a gesture, and the page reads text back.
mergeInto(LibraryManager.library, {
  glimmerdropWebLibrary__deps: ['$autoResumeAudioContext', '$dynCall', '$stringToNewUTF8'],
  glimmerdropWebLibrary: function() {},
});
