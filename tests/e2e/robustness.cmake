# The real program when the server, the folders, the log or the registry misbehave.
orvex_add_e2e_test(test_robustness.py LOCKS script_server registry display)
# The real program against planted libraries, links, forged replies and cut paths.
orvex_add_e2e_test(test_hardening.py LOCKS script_server)
