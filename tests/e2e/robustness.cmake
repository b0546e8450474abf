# The real program when the server, the folders or the log misbehave.
orvex_add_e2e_test(test_robustness.py LOCKS script_server)
# The real program against planted libraries, links, forged replies and cut paths.
orvex_add_e2e_test(test_hardening.py LOCKS script_server)
