# Assembles a fuzzer's seed folder at build time: the files of the built content tree that match the
# patterns (relative to GAME) and are no bigger than MAX_SIZE bytes, each copied under a flat name.
# Also makes the fuzzer's own corpus folder, where libFuzzer keeps what it finds.
#   cmake -DGAME=dir -DOUT=dir -DCORPUS=dir -DMAX_SIZE=n "-DPATTERNS=a;b" -P CollectSeeds.cmake
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT} ${CORPUS})
foreach(pattern ${PATTERNS})
  file(GLOB_RECURSE found RELATIVE ${GAME} ${GAME}/${pattern})
  foreach(path ${found})
    file(SIZE ${GAME}/${path} size)
    if(size GREATER MAX_SIZE)
      continue()
    endif()
    string(REPLACE "/" "_" flat ${path})
    file(COPY_FILE ${GAME}/${path} ${OUT}/${flat})
  endforeach()
endforeach()
