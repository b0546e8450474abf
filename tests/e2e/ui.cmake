# The message box on the screen, driven through the box viewer. Each test
# file has the display to itself.
orvex_add_e2e_test(test_msgbox_screen.py LOCKS display TIMEOUT 900)
orvex_add_e2e_test(test_msgbox_input.py LOCKS display TIMEOUT 900)
