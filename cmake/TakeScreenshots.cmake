# The screenshots the AppStream metadata points to, drawn by vantel-sim:
#   cmake -DSIM=<vantel-sim> -DOUT=<folder> -P TakeScreenshots.cmake
# gives OUT/table.png (a hand in play) and OUT/score-page.png (its end). The
# seed and the frame are fixed, so the pictures only change with the game.
set(seed 5)
set(table_frame 1200)

set(frames ${OUT}/frames)
file(REMOVE_RECURSE ${frames})
file(MAKE_DIRECTORY ${frames})
# In English whatever the builder's language: the score page follows it.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LANGUAGE --unset=LC_ALL
                        --unset=LC_MESSAGES LANG=C.UTF-8
                        ${SIM} --hands 1 --seed ${seed} --quiet --screenshot-dir ${frames}
                        --screenshot-at ${table_frame}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vantel-sim could not take the screenshots (status ${status})")
endif()
# Frame ${table_frame}, then the first frame of the score page.
file(GLOB taken ${frames}/frame_*.png)
list(SORT taken)
list(LENGTH taken count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "vantel-sim saved ${count} frames, not the table and the score page")
endif()
list(GET taken 0 table)
list(GET taken 1 score_page)
file(COPY_FILE ${table} ${OUT}/table.png)
file(COPY_FILE ${score_page} ${OUT}/score-page.png)
file(REMOVE_RECURSE ${frames})
